// Expected colours are worked out from the HSV adjustment by hand; a source
// of red 128, green 128 and blue 128 shifts nothing.
#include "raster/RasterHsvAdjust.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
constexpr std::uint32_t kNeutral = 0xFF808080u;

TEST(RasterHsvAdjust, SectorsFollowTheLargestChannelWithItsTieOrder)
{
  // Green largest (r < g, b < g): base 128, L = b - r = -16, o = 224,
  // T[224] + 1 = 292: hue 128 + (-16 × 292) / 1024 = 124; saturation
  // 224 × T[240] / 256 = 238, value 240. Sector 1, k = 60: red falling
  // 240 × (16384 - 238 × 60) / 16384 = 30, green 240, blue p = 18 × 240 / 256 = 16.
  EXPECT_EQ(RasterHsvAdjust(0xFF20F010u, kNeutral, 256), 0x001EF010u);
  // Red largest with blue above green: base 383, L = g - b = -32:
  // hue 383 - 9 = 374. Source green 192 adds 128 to the saturation (→ 255)
  // and blue 64 takes 128 from the value (→ 112). Sector 5, k = 54:
  // red v, green p = 1 × 112 / 256 = 0, blue falling 112 × (16384 - 255 × 54) / 16384 = 17.
  EXPECT_EQ(RasterHsvAdjust(0xFFF01030u, 0xFF80C040u, 256), 0x00700011u);
  // Grey is the blue case with no saturation: every channel is the value.
  EXPECT_EQ(RasterHsvAdjust(0xFF808080u, kNeutral, 256), 0x00808080u);
}

TEST(RasterHsvAdjust, TheHueWrapsOnceInEitherDirection)
{
  // D = R48 G160 B240 has hue 219, saturation 204, value 240. Source red 255
  // shifts by 256 × (127 + 255 - 192) / 256 = 190 → 409 - 384 = 25. Sector 0,
  // k = 25: red v, green rising 240 × (16384 - 204 × 39) / 16384 = 123,
  // blue p = 52 × 240 / 256 = 48.
  EXPECT_EQ(RasterHsvAdjust(0xFF30A0F0u, 0xFFFF8080u, 256), 0x00F07B30u);
  // R240 G32 B16: base 0, L = 16 → hue 4; source red 0 shifts by -192 →
  // -188 + 384 = 196. Sector 3, k = 4: red p = 18 × 240 / 256 = 16,
  // green falling 240 × (16384 - 238 × 4) / 16384 = 226, blue 240.
  EXPECT_EQ(RasterHsvAdjust(0xFFF02010u, 0xFF008080u, 256), 0x0010E2F0u);
}

TEST(RasterHsvAdjust, ANeutralSourceNearlyKeepsTheColour)
{
  const std::uint32_t colours[] = {0xFF102030u, 0xFFF01020u, 0xFF20F010u, 0xFF2010F0u,
                                   0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFC8C864u,
                                   0xFF64C8C8u, 0xFFC864C8u, 0xFF30A0F0u, 0xFF000000u};
  for (const std::uint32_t colour : colours)
  {
    const std::uint32_t adjusted = RasterHsvAdjust(colour, kNeutral, 256);
    EXPECT_EQ(adjusted >> 24, 0u);
    for (int shift = 0; shift < 24; shift += 8)
    {
      const int before = static_cast<int>((colour >> shift) & 0xFF);
      const int after = static_cast<int>((adjusted >> shift) & 0xFF);
      EXPECT_LE(std::abs(before - after), 4) << std::hex << colour << " channel " << shift / 8;
    }
  }
}

TEST(RasterHsvAdjust, LargeWeightsStayInsideTheHueCircle)
{
  // Weights up to the limit of 8 (2048) wrap the hue as often as needed and
  // saturate saturation and value instead of overflowing.
  for (const int w : {-2048, -1000, 1000, 2048})
  {
    const std::uint32_t adjusted = RasterHsvAdjust(0xFF30A0F0u, 0xFFFF0000u, w);
    EXPECT_EQ(adjusted >> 24, 0u) << w;
  }
  // Value 240 + 2048 × 127 / 128 saturates; saturation 204 - 2048 → 0: white.
  EXPECT_EQ(RasterHsvAdjust(0xFF30A0F0u, 0xFF8000FFu, 2048), 0x00FFFFFFu);
}
}  // namespace
