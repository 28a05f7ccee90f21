#pragma once

#include "graphics/IMouseModifiers.h"

#include <cstdint>

// How X11 input becomes editor input, the counterpart of the Windows host's
// message mapping: pure translations, checked without a display.

// X11's state bits and pointer buttons as the core protocol numbers them.
constexpr uint32_t kX11ShiftMask = 1u << 0;
constexpr uint32_t kX11ControlMask = 1u << 2;
constexpr uint32_t kX11Mod1Mask = 1u << 3;  // Alt on every common keymap
constexpr uint32_t kX11Button1Mask = 1u << 8;
constexpr uint32_t kX11Button3Mask = 1u << 10;
constexpr int kX11LeftButton = 1;
constexpr int kX11MiddleButton = 2;
constexpr int kX11RightButton = 3;
constexpr int kX11WheelUpButton = 4;
constexpr int kX11WheelDownButton = 5;

// The editor key code of a keysym: 0 space, 1 to 4 the arrows up, down,
// left, right, 5 to 14 the digits, 15 to 40 the letters in either case; -1
// for every other key, which goes on to the host.
int KeyCodeForKeysym(uint32_t keysym);

// The character a key types: its keysym with Shift in the second column of
// the key's row, otherwise the first (letters in upper case with Shift when
// the row has no second column); the keypad's digits, point and signs type
// theirs. 0 for keys that type no printable ASCII character.
char CharacterForKey(uint32_t keysym, uint32_t shiftedKeysym, uint32_t state);

// The modifiers of a pointer event. X reports the state before the event, so
// the button pressed (or released) by the event itself is added (or taken
// away), as a Windows mouse message reports its buttons after it.
IMouseModifiers MouseModifiersFromState(uint32_t state, int pressedButton, int releasedButton);

// One wheel step per button 4 (up, +1) or 5 (down, -1) press, like one
// 120-unit wheel message; 0 for other buttons.
int WheelStepsForButton(int button);

// X reports no double clicks: a left press counts as the second of a double
// click when it follows the last left press within the double-click time and
// distance. A press that completes a double click starts no new one.
class DoubleClickDetector
{
public:
  static constexpr uint32_t kTimeMs = 500;
  static constexpr int kDistance = 4;

  // True when this left press is a double click.
  bool Press(int x, int y, uint32_t timeMs);
  void Reset() { armed = false; }

private:
  bool armed = false;
  int lastX = 0;
  int lastY = 0;
  uint32_t lastTime = 0;
};
