#include "graphics/IBitmapStrip.h"

#include "graphics/TruncateToInt.h"

#include <algorithm>

int IBitmapStrip::FrameOffset(int frame) const
{
  if (frameCount < 2 || frame < 2)
    return 0;
  const double extent = horizontal ? width : height;
  return TruncateToInt(extent * (frame - 1) / frameCount + 0.5);
}

int IBitmapStrip::FrameForValue(double value) const
{
  if (frameCount < 2)
    return 1;
  // Limiting the zero-based position first keeps the + 1 from overflowing.
  const int position = TruncateToInt((frameCount - 1) * value + 0.5);
  return std::clamp(position, 0, static_cast<int>(frameCount) - 1) + 1;
}
