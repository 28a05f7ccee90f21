#pragma once

#include "graphics/IColour.h"
#include "graphics/win32/WinApi.h"

// The red, green and blue of a colour as a COLORREF (channels outside
// 0..255 limited, as in the colour's pixel word).
inline COLORREF ToColourRef(const IColour& colour)
{
  const uint32_t word = colour.Word();
  return RGB((word >> 16) & 0xFF, (word >> 8) & 0xFF, word & 0xFF);
}

// Takes red, green and blue from a COLORREF; alpha stays.
inline void SetRgbFromColourRef(IColour& colour, COLORREF rgb)
{
  colour.red = GetRValue(rgb);
  colour.green = GetGValue(rgb);
  colour.blue = GetBValue(rgb);
}
