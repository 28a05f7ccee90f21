#pragma once

#include <cstdint>

// One rendered glyph of a RasterCachedFont.
struct RasterGlyphRecord
{
  // 0: not rendered yet; -1: the font shows nothing for this code;
  // otherwise the 1-based position of the glyph's first coverage byte in the
  // font's glyph buffer.
  std::int32_t offset = 0;
  // Size of the coverage image in pixels.
  std::int32_t width = 0;
  std::int32_t height = 0;
  // Pixels to the next glyph.
  std::int32_t advance = 0;
  std::uint16_t code = 0;
};

constexpr std::int32_t kRasterGlyphAbsent = -1;
