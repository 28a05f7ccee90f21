#pragma once

#include "raster/RasterSysBitmap.h"

// The scratch bitmap every font renders its glyphs on: white text on black.
// It exists while at least one font does. Not locked: fonts render on the
// editor's user-interface thread.
namespace RasterGlyphCanvas
{
// Counts a font in or out; the canvas is freed when the count drops to 0.
void FontCreated();
void FontDestroyed();

// The canvas, grown to a square of `minimumSize` when it is smaller in
// either direction (and made at least 256 × 256); null when it cannot be
// made.
RasterSysBitmap* Acquire(int minimumSize);
}  // namespace RasterGlyphCanvas
