#include "graphics/win32/WinInputMapping.h"

#include "graphics/EntryText.h"
#include "graphics/win32/WinApi.h"

namespace
{

constexpr int kWheelNotch = 120;  // WHEEL_DELTA

bool IsDigit(std::uintptr_t c)
{
  return c >= '0' && c <= '9';
}

}  // namespace

int KeyCodeForVirtualKey(std::uintptr_t virtualKey)
{
  switch (virtualKey)
  {
    case VK_SPACE:
      return 0;
    case VK_UP:
      return 1;
    case VK_DOWN:
      return 2;
    case VK_LEFT:
      return 3;
    case VK_RIGHT:
      return 4;
    default:
      break;
  }
  // The virtual keys of digits and letters are their upper-case characters.
  if (IsDigit(virtualKey))
    return 5 + static_cast<int>(virtualKey - '0');
  if (virtualKey >= 'A' && virtualKey <= 'Z')
    return 15 + static_cast<int>(virtualKey - 'A');
  return -1;
}

int WheelSteps(int wheelDelta)
{
  return wheelDelta / kWheelNotch;
}

IMouseModifiers MouseModifiersFromKeyState(std::uintptr_t keyState, bool altDown)
{
  IMouseModifiers modifiers;
  modifiers.left = (keyState & MK_LBUTTON) != 0;
  modifiers.right = (keyState & MK_RBUTTON) != 0;
  modifiers.shift = (keyState & MK_SHIFT) != 0;
  modifiers.control = (keyState & MK_CONTROL) != 0;
  modifiers.alt = altDown;
  return modifiers;
}

bool EntryAcceptsCharacter(const IParameter* parameter, std::uintptr_t character)
{
  if (!parameter)
    return character != '\r' && character != '\n' && character != VK_ESCAPE;
  if (character == VK_BACK)
    return true;
  return character < 0x80 && EntryTakesCharacter(parameter, static_cast<char>(character));
}
