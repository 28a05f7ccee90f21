#pragma once

#include "raster/RasterFont.h"

#include <cstdint>
#include <memory>

// What the font cache needs of a text style. The cache key is (size,
// orientation, style, name); the quality only decides how a font is made, so
// the first style asking for a key fixes its quality for the whole process.
struct RasterFontStyle
{
  const char* name = "";
  // Pixel height of the character cell.
  std::int32_t size = 0;
  // 0 normal, 1 bold, 2 italic.
  std::int32_t style = 0;
  // Degrees.
  std::int32_t orientation = 0;
  // 0 default, 1 non-antialiased, 2 antialiased, 3 ClearType.
  std::int32_t quality = 0;
};

// Process-wide cache of fonts, shared by every editor. Fonts are only added
// and live until the module unloads. Each call holds the cache lock only for
// the lookup or the insertion.

RasterFont* RasterFontCacheFind(const RasterFontStyle& style);

// Hands `font` to the cache under the style's key and returns it; a null
// font is not stored.
RasterFont* RasterFontCacheAdd(std::unique_ptr<RasterFont> font, const RasterFontStyle& style);

// The cached font for the style, created and added on a miss; null when the
// platform cannot make the font (the next call tries again).
RasterFont* RasterFontCacheGetOrCreate(const RasterFontStyle& style);
