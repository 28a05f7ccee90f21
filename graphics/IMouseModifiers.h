#pragma once

// Buttons and keys held during a mouse event.
struct IMouseModifiers
{
  bool left = false;
  bool right = false;
  bool shift = false;
  bool control = false;
  bool alt = false;
};
