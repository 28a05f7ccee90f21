#include "graphics/ISwitchControl.h"

void ISwitchControl::OnMouseDown(int, int, const IMouseModifiers&)
{
  const int frames = strip.frameCount;
  const double step = frames >= 2 ? 1.0 / (frames - 1) : 1.0;
  double v = GetValue() + step;
  // The tolerance absorbs the rounding of repeated 1 / (frames - 1) steps.
  if (v > 1.001)
    v = 0.0;
  SetValue(v);
  MarkDirty(true);
}

void ISwitchControl::OnMouseDoubleClick(int x, int y, const IMouseModifiers& modifiers)
{
  OnMouseDown(x, y, modifiers);
}
