#pragma once

#include "raster/RasterSysBitmap.h"

// The scratch bitmaps shared by every font: the glyph canvas that glyphs are
// rendered on (white text on black), and the text canvas that platform text
// bound for a bitmap without a device context is drawn in. Both exist while
// at least one font does. Not locked: fonts render on the editor's
// user-interface thread.
namespace RasterGlyphCanvas
{
// Counts a font in or out; both canvases are freed when the count drops to 0.
void FontCreated();
void FontDestroyed();

// The glyph canvas, grown to a square of `minimumSize` when it is smaller in
// either direction (and made at least 256 × 256); null when it cannot be
// made.
RasterSysBitmap* Acquire(int minimumSize);

// The text canvas, grown when it is smaller than width × height (each at
// least 1); null when it cannot be made.
RasterSysBitmap* AcquireTextCanvas(int width, int height);
}  // namespace RasterGlyphCanvas
