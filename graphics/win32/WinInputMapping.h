#pragma once

#include "graphics/IMouseModifiers.h"

#include <cstdint>

class IParameter;

// How window input becomes editor input: pure translations, kept apart from
// the window procedure so that they can be checked without a window.

// The editor key code of a virtual key: 0 space, 1 to 4 the arrows up, down,
// left, right, 5 to 14 the digits, 15 to 40 the letters; -1 for every other
// key, which the window host hands on to the host's window.
int KeyCodeForVirtualKey(std::uintptr_t virtualKey);

// Whole wheel notches in a wheel delta (120 a notch), truncated toward zero:
// a high-resolution wheel's part notch gives 0.
int WheelSteps(int wheelDelta);

// The buttons and keys of a mouse message's key-state word; `altDown` comes
// from the keyboard state, which the word does not carry.
IMouseModifiers MouseModifiersFromKeyState(std::uintptr_t keyState, bool altDown);

// Whether a typed character reaches an in-place entry for `parameter`:
// backspace always; for bool, int and enum parameters the signs and digits;
// for other kinds also the decimal point. A free text entry (no parameter)
// takes every character except the carriage return, line feed and escape
// that Enter and Escape type, which end the entry instead.
bool EntryAcceptsCharacter(const IParameter* parameter, std::uintptr_t character);
