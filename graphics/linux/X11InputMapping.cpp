#include "graphics/linux/X11InputMapping.h"

#include "graphics/linux/X11Keysyms.h"

#include <cstdlib>

int KeyCodeForKeysym(uint32_t keysym)
{
  switch (keysym)
  {
    case kKeysymSpace:
      return 0;
    case kKeysymUp:
      return 1;
    case kKeysymDown:
      return 2;
    case kKeysymLeft:
      return 3;
    case kKeysymRight:
      return 4;
    default:
      break;
  }
  // Latin keysyms are their characters.
  if (keysym >= '0' && keysym <= '9')
    return 5 + static_cast<int>(keysym - '0');
  if (keysym >= 'A' && keysym <= 'Z')
    return 15 + static_cast<int>(keysym - 'A');
  if (keysym >= 'a' && keysym <= 'z')
    return 15 + static_cast<int>(keysym - 'a');
  return -1;
}

char CharacterForKey(uint32_t keysym, uint32_t shiftedKeysym, uint32_t state)
{
  constexpr uint32_t kKeypadZero = 0xffb0;
  constexpr uint32_t kKeypadNine = 0xffb9;
  if (keysym >= kKeypadZero && keysym <= kKeypadNine)
    return static_cast<char>('0' + (keysym - kKeypadZero));
  switch (keysym)
  {
    case 0xffae:
      return '.';  // KP_Decimal
    case 0xffad:
      return '-';  // KP_Subtract
    case 0xffab:
      return '+';  // KP_Add
    default:
      break;
  }
  const bool shift = (state & kX11ShiftMask) != 0;
  uint32_t chosen = shift && shiftedKeysym != 0 ? shiftedKeysym : keysym;
  if (shift && shiftedKeysym == 0 && chosen >= 'a' && chosen <= 'z')
    chosen -= 'a' - 'A';
  return chosen >= 0x20 && chosen < 0x7f ? static_cast<char>(chosen) : '\0';
}

IMouseModifiers MouseModifiersFromState(uint32_t state, int pressedButton, int releasedButton)
{
  IMouseModifiers modifiers;
  modifiers.left = ((state & kX11Button1Mask) != 0 || pressedButton == kX11LeftButton) &&
                   releasedButton != kX11LeftButton;
  modifiers.right = ((state & kX11Button3Mask) != 0 || pressedButton == kX11RightButton) &&
                    releasedButton != kX11RightButton;
  modifiers.shift = (state & kX11ShiftMask) != 0;
  modifiers.control = (state & kX11ControlMask) != 0;
  modifiers.alt = (state & kX11Mod1Mask) != 0;
  return modifiers;
}

int WheelStepsForButton(int button)
{
  if (button == kX11WheelUpButton)
    return 1;
  if (button == kX11WheelDownButton)
    return -1;
  return 0;
}

bool DoubleClickDetector::Press(int x, int y, uint32_t timeMs)
{
  // Server times wrap after 49 days; the unsigned difference stays right.
  const bool isDouble = armed && timeMs - lastTime <= kTimeMs && std::abs(x - lastX) <= kDistance &&
                        std::abs(y - lastY) <= kDistance;
  armed = !isDouble;
  lastX = x;
  lastY = y;
  lastTime = timeMs;
  return isDouble;
}
