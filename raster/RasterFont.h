#pragma once

#include "raster/RasterBitmap.h"
#include "raster/RasterBlendMode.h"
#include "raster/RasterFontBackend.h"
#include "raster/RasterRect.h"
#include "raster/RasterTextFlags.h"

#include <cstdint>

// A font that draws UTF-8 text into bitmaps. Colours are pixel words.
class RasterFont
{
public:
  RasterFont() = default;
  RasterFont(const RasterFont&) = delete;
  RasterFont& operator=(const RasterFont&) = delete;

  virtual ~RasterFont() = default;
  // Adopts a platform font with the given font flags (kRasterFont...).
  virtual void SetFromFontHandle(RasterFontHandle handle, std::int32_t flags) = 0;
  // Each setter returns the previous value.
  virtual std::uint32_t SetTextColour(std::uint32_t colour) = 0;
  virtual std::uint32_t SetBackgroundColour(std::uint32_t colour) = 0;
  // The colour of the shadow and outline effects.
  virtual std::uint32_t SetEffectColour(std::uint32_t colour) = 0;
  // kRasterBackgroundTransparent or kRasterBackgroundOpaque.
  virtual std::int32_t SetBackgroundMode(std::int32_t mode) = 0;
  // The blend mode and weight glyphs are drawn with.
  virtual void SetCombineMode(BlendMode mode, float alpha) = 0;
  // Draws `text` (`length` bytes, or up to its NUL when negative) into
  // `rect` of `bitmap`, or with kRasterTextMeasure only measures it and
  // writes the text's rectangle back. Returns the height of the text (its
  // width for vertical fonts).
  virtual int DrawString(RasterBitmap* bitmap, const char* text, int length, RasterRect& rect,
                         std::uint32_t flags) = 0;
  virtual std::uint32_t GetTextColour() const = 0;
  virtual RasterFontHandle GetFontHandle() const = 0;
  // The font's text height in pixels.
  virtual std::int32_t GetLineHeight() const = 0;
  // Draws one glyph with its top-left corner at (x, y), clipped to `clip`;
  // true when anything was drawn.
  virtual bool DrawGlyph(RasterBitmap* bitmap, std::uint16_t code, int x, int y,
                         const RasterRect& clip) = 0;
};
