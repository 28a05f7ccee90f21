#pragma once

#include <algorithm>
#include <cstdint>

// Channel access and the per-channel formulas shared by the blits, the fills
// and the glyph renderer. Channels are the byte values 0-255 as ints;
// integer division truncates toward zero.

// Channel i of a pixel: 0 blue, 1 green, 2 red, 3 alpha.
inline int PixelChannel(std::uint32_t pixel, int channel)
{
  return static_cast<int>((pixel >> (8 * channel)) & 0xFF);
}

inline int PixelAlpha(std::uint32_t pixel)
{
  return PixelChannel(pixel, 3);
}

inline int ClampChannel(int value)
{
  return std::clamp(value, 0, 255);
}

// Packs four channel values, each clamped.
inline std::uint32_t PackPixel(int alpha, int red, int green, int blue)
{
  return static_cast<std::uint32_t>(ClampChannel(alpha)) << 24 |
         static_cast<std::uint32_t>(ClampChannel(red)) << 16 |
         static_cast<std::uint32_t>(ClampChannel(green)) << 8 |
         static_cast<std::uint32_t>(ClampChannel(blue));
}

// Applies `formula(channel index, destination channel)` to all four
// channels and clamps the results.
template <class Formula>
inline std::uint32_t MapChannels(std::uint32_t destination, Formula formula)
{
  int out[4];
  for (int c = 0; c < 4; ++c)
    out[c] = formula(c, PixelChannel(destination, c));
  return PackPixel(out[3], out[2], out[1], out[0]);
}

// Colour dodge: brightens d by the strength k (0..255).
inline int DodgeChannel(int d, int k)
{
  if (k > 254)
    return ClampChannel(d * 256);
  return std::min(255, d * 256 / (256 - k));
}

// Multiply with weight w (256 = full strength).
inline int MultiplyChannel(int d, int s, int w)
{
  return ClampChannel(((w * (s - 256) + 65536) * d) >> 16);
}

// Overlay with weight w; s = 128 leaves d unchanged.
inline int OverlayChannel(int d, int s, int w)
{
  const int m = (256 - w) * 128;
  const int o = w * s + m;
  return ClampChannel((((32768 - o) * d / 256 + o) * d) >> 15);
}

// The average (a + b) / 2 of each of the four channels at once, exact to
// the truncation: the bits both words share plus half of the others, so
// two opaque pixels stay opaque (halving each word first would lose the low
// bits and leave alpha 254).
inline std::uint32_t AverageWords(std::uint32_t a, std::uint32_t b)
{
  return (a & b) + (((a ^ b) >> 1) & 0x7F7F7F7Fu);
}
