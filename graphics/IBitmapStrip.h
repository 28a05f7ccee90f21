#pragma once

#include <cstdint>

class RasterBitmap;

// One image holding a control's frames, stacked top to bottom (or side by
// side when horizontal). The bitmap belongs to the process-wide image cache;
// it is null when the image could not be loaded, and then nothing is drawn.
struct IBitmapStrip
{
  RasterBitmap* bitmap = nullptr;
  int32_t width = 0;  // of the whole image
  int32_t height = 0;
  int32_t frameCount = 1;
  bool horizontal = false;

  // Where frame `frame` (counted from 1) starts along the strip: the y (or x)
  // of (int)(extent * (frame - 1) / frameCount + 0.5). Frame 1, frames out of
  // range below and one-frame strips start at 0.
  int FrameOffset(int frame) const;

  // The frame that shows `value` (0..1): (int)((frameCount - 1) * value + 0.5) + 1,
  // limited to 1..frameCount; always 1 for fewer than two frames.
  int FrameForValue(double value) const;
};
