#pragma once

#include "graphics/IBitmapControl.h"

// Steps through its frames on every press, with any button, and wraps to
// the first after the last. A double click is one more press.
class ISwitchControl : public IBitmapControl
{
public:
  using IBitmapControl::IBitmapControl;

  void OnMouseDown(int x, int y, const IMouseModifiers& modifiers) override;
  void OnMouseDoubleClick(int x, int y, const IMouseModifiers& modifiers) override;
};
