#pragma once

#include <string>

class IParameter;

// The texts of in-place value entry, independent of the C locale so that
// what a prompt shows reads back as the same number.

// The most characters a committed entry is read with, on every platform.
constexpr int kMaxEntryText = 31;

// `value` with `precision` decimals; for precision 0 the value truncated
// toward zero, as a whole number.
std::string FormatEntryValue(double value, int precision);

// The leading decimal number of `text` (after blanks: an optional sign,
// digits with an optional point, an optional exponent); 0 when the text does
// not start with one. A number beyond the double range is infinity of its
// sign, one too small for it is 0. Never NaN.
double ParseEntryNumber(const char* text);

// Whether a printable character may be typed into an in-place entry for
// `parameter`: for a parameter the signs and digits, and for double (and
// kind-less) parameters the decimal point; a free text entry (no parameter)
// takes every character.
bool EntryTakesCharacter(const IParameter* parameter, char character);
