// Linux has no platform text drawing to hand strings to: every string is
// drawn from the glyph cache, whose glyphs FreeType renders.
#include "raster/RasterNativeText.h"

bool RasterDrawNativeText(const RasterNativeTextRequest& /*request*/, RasterBitmap* /*bitmap*/,
                          const char* /*text*/, int /*length*/, RasterRect& /*rect*/,
                          std::uint32_t /*flags*/, int& /*result*/)
{
  return false;
}
