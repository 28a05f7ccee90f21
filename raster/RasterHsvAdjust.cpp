#include "raster/RasterHsvAdjust.h"

#include "raster/RasterPixel.h"

#include <algorithm>
#include <array>

namespace
{
// T[x] = floor(65536 / x) - 1, T[0] = 0: integer reciprocals for the
// saturation and for the position inside a hue sector.
constexpr std::array<int, 256> MakeReciprocals()
{
  std::array<int, 256> table{};
  for (int x = 1; x < 256; ++x)
    table[static_cast<std::size_t>(x)] = 65536 / x - 1;
  return table;
}

constexpr std::array<int, 256> kReciprocal = MakeReciprocals();

constexpr int kHueRange = 384;
constexpr int kSectorWidth = 64;
}  // namespace

std::uint32_t RasterHsvAdjust(std::uint32_t destination, std::uint32_t source, int w)
{
  const int r = PixelChannel(destination, 2);
  const int g = PixelChannel(destination, 1);
  const int b = PixelChannel(destination, 0);
  const int maximum = std::max({r, g, b});
  const int spread = maximum - std::min({r, g, b});

  // The sector base and the signed distance into it; ties go green before
  // blue before red, and a red maximum with blue above green lies just
  // below the wrap (383, not 384).
  int base;
  int numerator;
  if (r < g)
  {
    if (b < g)
    {
      base = 128;
      numerator = b - r;
    }
    else
    {
      base = 256;
      numerator = r - g;
    }
  }
  else if (b < r)
  {
    base = g >= b ? 0 : 383;
    numerator = g - b;
  }
  else
  {
    base = 256;
    numerator = r - g;
  }

  const int sourceRed = PixelChannel(source, 2);
  const int sourceGreen = PixelChannel(source, 1);
  const int sourceBlue = PixelChannel(source, 0);

  int hue = base + numerator * (kReciprocal[static_cast<std::size_t>(spread)] + 1) / 1024 +
            w * (sourceRed / 2 + sourceRed - 192) / 256;
  // One wrap suffices for weights up to 1; larger weights wrap as often as needed.
  hue %= kHueRange;
  if (hue < 0)
    hue += kHueRange;

  const int saturation =
      ClampChannel(spread * kReciprocal[static_cast<std::size_t>(maximum)] / 256 +
                   w * (sourceGreen - 128) / 128);
  const int value = ClampChannel(maximum + w * (sourceBlue - 128) / 128);

  const int sector = hue / kSectorWidth;
  const int k = hue % kSectorWidth;
  const int low = (256 - saturation) * value / 256;
  const int falling = value * (16384 - saturation * k) / 16384;
  const int rising = value * (16384 - saturation * (kSectorWidth - k)) / 16384;

  int red, green, blue;
  switch (sector)
  {
    case 0:
      red = value;
      green = rising;
      blue = low;
      break;
    case 1:
      red = falling;
      green = value;
      blue = low;
      break;
    case 2:
      red = low;
      green = value;
      blue = rising;
      break;
    case 3:
      red = low;
      green = falling;
      blue = value;
      break;
    case 4:
      red = rising;
      green = low;
      blue = value;
      break;
    default:
      red = value;
      green = low;
      blue = falling;
      break;
  }
  return static_cast<std::uint32_t>(red & 0xFF) << 16 |
         static_cast<std::uint32_t>(green & 0xFF) << 8 | static_cast<std::uint32_t>(blue & 0xFF);
}
