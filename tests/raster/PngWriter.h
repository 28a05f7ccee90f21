#pragma once

#include <cstdint>
#include <vector>

// Test images written with libpng, in any colour type and bit depth.
struct PngImage
{
  int width = 0;
  int height = 0;
  // PNG_COLOR_TYPE_* and the bit depth per sample.
  int colourType = 0;
  int bitDepth = 8;
  bool interlaced = false;
  // Packed rows exactly as they are stored in the file (big-endian samples).
  std::vector<std::vector<std::uint8_t>> rows;
  // RGB triples, for palette images.
  std::vector<std::uint8_t> palette;
  // Palette alphas, or a single grey/RGB colour key as 16-bit samples.
  std::vector<std::uint8_t> paletteAlpha;
  bool hasColourKey = false;
  std::uint16_t keyRed = 0, keyGreen = 0, keyBlue = 0, keyGrey = 0;
};

// The encoded file; empty when libpng refuses the image.
std::vector<std::uint8_t> WritePng(const PngImage& image);

// A small RGBA image whose pixel (x, y) has red 40x, green 50y, blue 7 and alpha 255 - 30(x + y).
PngImage CoordinateRgbaImage(int width, int height);
