#pragma once

#include "raster/RasterFontBackend.h"

#include <windows.h>

#include <cstdint>

// A font selected into a device context, and optionally the text colours
// set on it, for the life of the object; the destructor puts back whatever
// the context held before.
class RasterDeviceTextState
{
public:
  RasterDeviceTextState(HDC context, RasterFontHandle font)
      : context(context), previousFont(SelectObject(context, static_cast<HFONT>(font)))
  {
  }

  ~RasterDeviceTextState()
  {
    if (previousBackground != CLR_INVALID)
      SetBkColor(context, previousBackground);
    if (previousMode != 0)
      SetBkMode(context, previousMode);
    if (previousColour != CLR_INVALID)
      SetTextColor(context, previousColour);
    if (previousFont != nullptr)
      SelectObject(context, previousFont);
  }

  RasterDeviceTextState(const RasterDeviceTextState&) = delete;
  RasterDeviceTextState& operator=(const RasterDeviceTextState&) = delete;

  bool FontSelected() const { return previousFont != nullptr; }

  // Text in `text`; with `opaque` the text cell is filled with `background`
  // first. Colours are pixel words (their alpha is ignored).
  void SetColours(std::uint32_t text, bool opaque, std::uint32_t background)
  {
    previousColour = SetTextColor(context, ColourOf(text));
    previousMode = SetBkMode(context, opaque ? OPAQUE : TRANSPARENT);
    if (opaque)
      previousBackground = SetBkColor(context, ColourOf(background));
  }

private:
  // A pixel word is 0xAARRGGBB; a COLORREF is 0x00BBGGRR.
  static COLORREF ColourOf(std::uint32_t pixel)
  {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }

  HDC const context;
  HGDIOBJ const previousFont;
  COLORREF previousColour = CLR_INVALID;
  int previousMode = 0;
  COLORREF previousBackground = CLR_INVALID;
};
