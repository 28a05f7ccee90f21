#pragma once

#include "raster/RasterBitmap.h"
#include "raster/RasterNativeText.h"

#include <cstdint>

// Whether GDI draws the text of a DrawString call (`bitmap` is null when
// only measuring) instead of the glyph cache: always for fonts too tall for
// the glyph cache, otherwise only for plain fonts that allow it, outside
// Wine, when the caller neither forbids it nor asks for the colour's alpha.
// A bitmap that answers its extended query keeps its text in the cache.
bool RasterNativeTextChosen(const RasterNativeTextRequest& request, RasterBitmap* bitmap,
                            std::uint32_t flags, bool underWine);
