#pragma once

#include "raster/RasterBitmap.h"
#include "raster/RasterBlendMode.h"
#include "raster/RasterFontBackend.h"
#include "raster/RasterRect.h"

#include <cstdint>

// What the platform needs to draw a string itself.
struct RasterNativeTextRequest
{
  RasterFontHandle font = nullptr;
  std::int32_t fontFlags = 0;
  std::int32_t lineHeight = 0;
  std::int32_t lineSpacing = 0;
  std::uint32_t textColour = 0;
  std::uint32_t backgroundColour = 0;
  std::int32_t backgroundMode = 0;
  float alpha = 1.0f;
};

// Lets the platform draw `text` itself where it decides to (GDI text on
// Windows); returns false when the caller must draw with its glyph cache.
// On Linux the platform never draws text itself (linux/RasterNativeTextLinux.cpp).
bool RasterDrawNativeText(const RasterNativeTextRequest& request, RasterBitmap* bitmap,
                          const char* text, int length, RasterRect& rect, std::uint32_t flags,
                          int& result);
