#pragma once

#include "graphics/ISwitchControl.h"

// A momentary button: a press steps like a switch (from 0 to 1), the release
// returns the value to 0, and the plug-in hears both.
class IContactControl : public ISwitchControl
{
public:
  using ISwitchControl::ISwitchControl;

  void OnMouseUp(int x, int y, const IMouseModifiers& modifiers) override;
};
