#pragma once

#include "raster/RasterSysBitmap.h"

#include <cstdint>

// The platform's text services that the glyph cache renders with: GDI on
// Windows, FreeType with fontconfig on Linux (linux/RasterFontBackendLinux.cpp).
// The glyph cache itself is shared code; the platform only measures a
// character and draws it, white on black, into the glyph canvas.

// A platform font: an HFONT on Windows, a FreeType face on Linux.
using RasterFontHandle = void*;

// The font description of CreateFontA that this program uses.
struct RasterFontRequest
{
  const char* name = "";
  // Positive: the height of the character cell in pixels; negative: the em
  // height; 0: the platform's default.
  std::int32_t height = 0;
  // Tenths of a degree, counter-clockwise.
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  // 400 normal, 700 bold.
  std::int32_t weight = 400;
  bool italic = false;
  // CreateFontA quality: 0 default, 3 non-antialiased, 4 antialiased, 5 ClearType.
  std::int32_t quality = 0;
};

// A new font, or null when no font can be made for the request.
RasterFontHandle RasterCreateFontHandle(const RasterFontRequest& request);
void RasterDeleteFontHandle(RasterFontHandle font);

// The font's text height in pixels (GDI's tmHeight). `canvas` is the glyph
// canvas, which the platform may draw with.
std::int32_t RasterFontLineHeight(RasterFontHandle font, RasterSysBitmap& canvas);

// The size of `code` drawn alone on a single line: its advance and the line
// height. Zero sizes mean the font shows nothing for the code.
void RasterMeasureCharacter(RasterFontHandle font, std::uint16_t code, RasterSysBitmap& canvas,
                            std::int32_t& width, std::int32_t& height);

// Draws `code` in white onto the black glyph canvas with its cell's top-left
// corner at the canvas origin; ink outside the canvas is dropped.
void RasterDrawCharacter(RasterFontHandle font, std::uint16_t code, RasterSysBitmap& canvas);
