#pragma once

#include "raster/RasterBitmap.h"
#include "raster/RasterBlendMode.h"
#include "raster/RasterRect.h"

#include <cstdint>

// Composes `source` (or the rectangle `sourceRect` of it) onto `destination`
// with its top-left corner at (x, y). Everything outside either bitmap is
// clipped; a null bitmap, a bitmap without storage or a zero weight draws
// nothing. The weight is normally 0..1; NaN counts as 0.
void BlitBitmap(RasterBitmap* destination, const RasterBitmap* source, int x, int y,
                const RasterRect* sourceRect, float weight, BlendMode mode);

// Fills width × height pixels at (x, y) of `destination` with `colour`, a
// pixel word, clipped to the bitmap.
void FillRectangle(RasterBitmap* destination, int x, int y, int width, int height,
                   std::uint32_t colour, float weight, BlendMode mode);
