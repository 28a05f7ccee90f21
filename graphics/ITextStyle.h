#pragma once

#include "graphics/IColour.h"

#include <cstdint>
#include <cstdio>

class RasterFont;

enum class IFontStyle : int32_t
{
  Normal = 0,
  Bold = 1,
  Italic = 2,
};

enum class ITextAlign : int32_t
{
  Left = 0,
  Centre = 1,
  Right = 2,
};

enum class ITextQuality : int32_t
{
  Default = 0,
  NonAntialiased = 1,
  Antialiased = 2,
  ClearType = 3,
};

// How a text is drawn, and how an in-place text entry looks. The defaults are
// those every control starts with.
struct ITextStyle
{
  char fontName[32] = "Verdana";
  int32_t size = 12;  // pixel height passed to the font
  IColour colour{255, 0, 0, 0};
  IColour entryBackground{255, 255, 255, 255};
  IColour entryForeground{255, 0, 0, 0};
  IFontStyle style = IFontStyle::Normal;
  ITextAlign align = ITextAlign::Centre;
  int32_t orientation = 0;  // degrees
  ITextQuality quality = ITextQuality::Default;
  // Filled from the process-wide font cache on first use; the cache owns it.
  RasterFont* cachedFont = nullptr;

  // Keeps at most 31 characters. A different font needs a different cached font.
  void SetFontName(const char* name)
  {
    std::snprintf(fontName, sizeof fontName, "%s", name ? name : "");
    cachedFont = nullptr;
  }
};
