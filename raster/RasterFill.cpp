#include "raster/RasterBlit.h"

#include "raster/RasterHsvAdjust.h"
#include "raster/RasterPixel.h"
#include "raster/RasterWeight.h"

#include <algorithm>
#include <cstdint>

namespace
{
// Runs `kernel(destination pixel) -> new pixel` over columns × rows pixels at (x, y).
template <class Kernel>
void FillArea(const RasterBitmap& destination, int x, int y, int columns, int rows, Kernel kernel)
{
  const std::ptrdiff_t stride = RasterRowStride(destination);
  std::uint32_t* const origin = RasterRow(destination, y) + x;
  for (int row = 0; row < rows; ++row)
  {
    std::uint32_t* const d = origin + stride * row;
    for (int column = 0; column < columns; ++column)
      d[column] = kernel(d[column]);
  }
}

// The copy operation; the colour's alpha blends towards w itself.
template <class Fill>
void FillCopy(std::uint32_t colour, int w, Fill fill)
{
  switch (w)
  {
    case 256:
      fill([colour](std::uint32_t) { return colour; });
      return;
    case 128:
      fill([colour](std::uint32_t d) { return AverageWords(colour, d); });
      return;
    case 64:
      fill([colour](std::uint32_t d) { return AverageWords(AverageWords(colour, d), d); });
      return;
    case 192:
      fill([colour](std::uint32_t d) { return AverageWords(AverageWords(colour, d), colour); });
      return;
    default:
      if (w <= 0)
        return;
      fill([colour, w](std::uint32_t d) {
        return MapChannels(d, [&](int c, int dc) {
          if (c == 3)
            return w + (dc - w) * (256 - w) / 256;
          const int cc = PixelChannel(colour, c);
          return (dc - cc) * (256 - w) / 256 + cc;
        });
      });
      return;
  }
}
}  // namespace

void FillRectangle(RasterBitmap* destination, int x, int y, int width, int height,
                   std::uint32_t colour, float weight, BlendMode mode)
{
  if (destination == nullptr)
    return;
  if ((mode & kBlendSourceAlpha) != 0)
    weight *= static_cast<float>(PixelAlpha(colour)) / 255.0f;
  if (x < 0)
  {
    width += x;
    x = 0;
  }
  if (y < 0)
  {
    height += y;
    y = 0;
  }
  if (weight == 0.0f || destination->Bits() == nullptr || width <= 0 || height <= 0)
    return;
  if (x >= destination->Width() || y >= destination->Height())
    return;
  const int columns = std::min(width, destination->Width() - x);
  const int rows = std::min(height, destination->Height() - y);

  // A weight that truncates to nothing leaves the pixels alone in every
  // operation (the HSV round trip alone would move them).
  const int w = RasterIntegerWeight(weight);
  if (w == 0)
    return;
  const auto fill = [&](auto kernel) { FillArea(*destination, x, y, columns, rows, kernel); };
  // In the formulas below the colour's channel is C for red, green and blue,
  // and the weight stands in for it in the alpha channel.
  const auto channelSource = [colour, w](int c) { return c == 3 ? w : PixelChannel(colour, c); };
  switch (mode & kBlendOperationMask)
  {
    case kBlendCopy:
      FillCopy(colour, w, fill);
      return;
    case kBlendAdd:
      fill([&](std::uint32_t d) {
        return MapChannels(d, [&](int c, int dc) { return dc + channelSource(c) * w / 256; });
      });
      return;
    case kBlendColourDodge:
      fill([&](std::uint32_t d) {
        return MapChannels(
            d, [&](int c, int dc) { return DodgeChannel(dc, channelSource(c) * w / 256); });
      });
      return;
    case kBlendMultiply:
      fill([&](std::uint32_t d) {
        return MapChannels(d,
                           [&](int c, int dc) { return MultiplyChannel(dc, channelSource(c), w); });
      });
      return;
    case kBlendOverlay:
      fill([&](std::uint32_t d) {
        return MapChannels(d,
                           [&](int c, int dc) { return OverlayChannel(dc, channelSource(c), w); });
      });
      return;
    case kBlendHsvAdjust:
      // The fill keeps the colour's alpha, as the blit keeps the source's.
      fill([&](std::uint32_t d) { return RasterHsvAdjust(d, colour, w) | (colour & 0xFF000000u); });
      return;
    default:
      return;
  }
}
