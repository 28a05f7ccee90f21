// Expected pixels are worked out from the fill formulas by hand. Unless a
// test says otherwise the colour is C = A192 R128 G64 B32 and the
// destination pixel D = A255 R48 G160 B240; in the alpha channel the weight
// w stands in for the colour.
#include "raster/RasterBlit.h"

#include "tests/raster/RasterTestBitmaps.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
constexpr std::uint32_t kC = 0xC0804020u;
constexpr std::uint32_t kD = 0xFF30A0F0u;

std::uint32_t FillOne(std::uint32_t colour, std::uint32_t destination, float weight, BlendMode mode)
{
  const auto d = FilledBitmap(1, 1, destination);
  FillRectangle(d.get(), 0, 0, 1, 1, colour, weight, mode);
  return PixelAt(*d, 0, 0);
}

TEST(FillRectangleCopy, FastPathsAtFullHalfQuarterAndThreeQuarterWeight)
{
  EXPECT_EQ(FillOne(kC, kD, 1.0f, kBlendCopy), kC);
  // Half: each channel (c + d) / 2: A 223, R 88, G 112, B 136.
  EXPECT_EQ(FillOne(kC, kD, 0.5f, kBlendCopy), 0xDF587088u);
  // Quarter: the half average averaged with d again: A (223 + 255) / 2 = 239,
  // R (88 + 48) / 2 = 68, G (112 + 160) / 2 = 136, B (136 + 240) / 2 = 188.
  EXPECT_EQ(FillOne(kC, kD, 0.25f, kBlendCopy), 0xEF4488BCu);
  // Three quarters: averaged with c instead: A 207, R 108, G 88, B 84.
  EXPECT_EQ(FillOne(kC, kD, 0.75f, kBlendCopy), 0xCF6C5854u);
  // Opaque over opaque stays opaque at every fast weight.
  for (const float weight : {0.25f, 0.5f, 0.75f})
    EXPECT_EQ(FillOne(0xFFFFFFFFu, 0xFF000000u, weight, kBlendCopy) >> 24, 0xFFu) << weight;
}

TEST(FillRectangleCopy, OtherWeightsBlendColoursTowardsCAndAlphaTowardsW)
{
  // w = 153: d = (d - C) × 103 / 256 + C: B 83 + 32 = 115; G 38 + 64 = 102;
  // R -32 + 128 = 96; alpha 153 + (255 - 153) × 103 / 256 = 194.
  EXPECT_EQ(FillOne(kC, kD, 0.6f, kBlendCopy), 0xC2606673u);
  EXPECT_EQ(FillOne(kC, kD, -0.6f, kBlendCopy), kD);
}

TEST(FillRectangleOperations, AddDodgeAndMultiply)
{
  // Add at w = 256: B 240 + 32 → 255; G 160 + 64 = 224; R 48 + 128 = 176; A 255 + 256 → 255.
  EXPECT_EQ(FillOne(kC, kD, 1.0f, kBlendAdd), 0xFFB0E0FFu);
  // w = 64 over transparent black: B 32×64/256 = 8; G 16; R 32; A 64×64/256 = 16.
  EXPECT_EQ(FillOne(kC, 0x00000000u, 0.25f, kBlendAdd), 0x10201008u);
  // Over D: B 240 + 8 = 248; G 160 + 16 = 176; R 48 + 32 = 80.
  EXPECT_EQ(FillOne(kC, kD, 0.25f, kBlendAdd), 0xFF50B0F8u);
  // Dodge at w = 153: B k 19: 240×256/237 = 259 → 255; G k 38: 160×256/218 = 187;
  // R k 76: 48×256/180 = 68; A k 153×153/256 = 91: 255.
  EXPECT_EQ(FillOne(kC, kD, 0.6f, kBlendColourDodge), 0xFF44BBFFu);
  // Multiply at w = 256 is C × d / 256 with alpha multiplied by w / 256:
  // B 30, G 40, R 24, A 255.
  EXPECT_EQ(FillOne(kC, kD, 1.0f, kBlendMultiply), 0xFF18281Eu);
  // w = 128: A ((128 × -128 + 65536) × 255) >> 16 = 191;
  // B ((128 × -224 + 65536) × 240) >> 16 = 135; G 100; R 36.
  EXPECT_EQ(FillOne(kC, kD, 0.5f, kBlendMultiply), 0xBF246487u);
}

TEST(FillRectangleOperations, OverlayUsesTheWeightForAlphaAndHsvKeepsTheColourAlpha)
{
  EXPECT_EQ(FillOne(kC, kD, 1.0f, kBlendOverlay), 0xFF3082E4u);
  // w = 64, alpha: m = 192 × 128, o = 64 × 64 + 24576 = 28672:
  // ((4096 × 255 / 256 + 28672) × 255) >> 15 = 254.
  EXPECT_EQ(FillOne(kC, kD, 0.25f, kBlendOverlay), 0xFE3098EDu);
  // The same adjustment as the blit of C over D.
  EXPECT_EQ(FillOne(kC, kD, 1.0f, kBlendHsvAdjust), 0xC0212930u);
}

TEST(FillRectangleAlpha, TheAlphaBitScalesTheWeightByTheColourAlpha)
{
  // 192 / 255 × 256 = 192.75 → w = 192, the three-quarter fast path.
  EXPECT_EQ(FillOne(kC, kD, 1.0f, kBlendSourceAlpha), 0xCF6C5854u);
  EXPECT_EQ(FillOne(0x00FFFFFFu, kD, 1.0f, kBlendSourceAlpha), kD);
  EXPECT_EQ(FillOne(0x00FFFFFFu, kD, 1.0f, kBlendSourceAlpha | kBlendAdd), kD);
  EXPECT_EQ(FillOne(0xFF123456u, kD, 1.0f, kBlendSourceAlpha), 0xFF123456u);
}

TEST(FillRectangleAlpha, UnknownOperationsChannelCopiesAndNaNDrawNothing)
{
  EXPECT_EQ(FillOne(kC, kD, 1.0f, 6), kD);
  EXPECT_EQ(FillOne(kC, kD, 1.0f, BlendChannelCopy(2, 3)), kD);
  EXPECT_EQ(FillOne(kC, kD, std::numeric_limits<float>::quiet_NaN(), kBlendCopy), kD);
  EXPECT_EQ(FillOne(kC, kD, 0.0f, kBlendCopy), kD);
  // Weights below 1/256 truncate to w = 0 and change nothing, HSV included.
  EXPECT_EQ(FillOne(kC, kD, 0.003f, kBlendHsvAdjust), kD);
  EXPECT_EQ(FillOne(kC, kD, 0.003f, kBlendAdd), kD);
}

int CountEqual(const RasterBitmap& bitmap, std::uint32_t pixel)
{
  int count = 0;
  for (int y = 0; y < bitmap.Height(); ++y)
  {
    for (int x = 0; x < bitmap.Width(); ++x)
      count += PixelAt(bitmap, x, y) == pixel ? 1 : 0;
  }
  return count;
}

TEST(FillRectangleClipping, NegativeOriginsShrinkTheAreaAndTheEdgesCutIt)
{
  const auto bitmap = FilledBitmap(6, 5, 0);
  FillRectangle(bitmap.get(), -2, -1, 4, 3, 0xFF0000FFu, 1.0f, kBlendCopy);
  // 2 × 2 pixels at the origin.
  EXPECT_EQ(CountEqual(*bitmap, 0xFF0000FFu), 4);
  EXPECT_EQ(PixelAt(*bitmap, 1, 1), 0xFF0000FFu);
  EXPECT_EQ(PixelAt(*bitmap, 2, 1), 0u);

  FillRectangle(bitmap.get(), 4, 3, 100, 100, 0xFF00FF00u, 1.0f, kBlendCopy);
  EXPECT_EQ(CountEqual(*bitmap, 0xFF00FF00u), 4);
  EXPECT_EQ(PixelAt(*bitmap, 5, 4), 0xFF00FF00u);
}

TEST(FillRectangleClipping, EmptyOrOutsideAreasDrawNothing)
{
  const auto bitmap = FilledBitmap(6, 5, 0);
  FillRectangle(bitmap.get(), 6, 0, 3, 3, 0xFFFFFFFFu, 1.0f, kBlendCopy);
  FillRectangle(bitmap.get(), 0, 5, 3, 3, 0xFFFFFFFFu, 1.0f, kBlendCopy);
  FillRectangle(bitmap.get(), -3, 0, 3, 3, 0xFFFFFFFFu, 1.0f, kBlendCopy);
  FillRectangle(bitmap.get(), 0, 0, 0, 3, 0xFFFFFFFFu, 1.0f, kBlendCopy);
  FillRectangle(bitmap.get(), 0, 0, 3, -1, 0xFFFFFFFFu, 1.0f, kBlendCopy);
  FillRectangle(bitmap.get(), std::numeric_limits<int>::min(), 0, std::numeric_limits<int>::max(),
                3, 0xFFFFFFFFu, 1.0f, kBlendCopy);
  FillRectangle(nullptr, 0, 0, 3, 3, 0xFFFFFFFFu, 1.0f, kBlendCopy);
  RasterMemBitmap empty;
  FillRectangle(&empty, 0, 0, 3, 3, 0xFFFFFFFFu, 1.0f, kBlendCopy);
  EXPECT_EQ(CountEqual(*bitmap, 0u), 30);
}

TEST(FillRectangleRowOrder, BottomUpBitmapsAreAddressedByRow)
{
  FlippedBitmap bitmap(4, 4, 0);
  FillRectangle(&bitmap, 1, 0, 2, 1, 0xFF0000FFu, 0.5f, kBlendCopy);
  // Half of 255 and 0 in blue and alpha.
  EXPECT_EQ(bitmap.Stored(1, 0), 0x7F00007Fu);
  EXPECT_EQ(bitmap.Stored(2, 0), 0x7F00007Fu);
  EXPECT_EQ(bitmap.Stored(1, 3), 0u);
}
}  // namespace
