// Expected pixels are worked out from the blend formulas by hand, channel by
// channel, with integer division truncating toward zero. Unless a test says
// otherwise the source pixel is S = A192 R128 G64 B32 and the destination
// pixel D = A255 R48 G160 B240.
#include "raster/RasterBlit.h"

#include "tests/raster/RasterTestBitmaps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
constexpr std::uint32_t kS = 0xC0804020u;
constexpr std::uint32_t kD = 0xFF30A0F0u;

// Blits a 1 × 1 source pixel onto a 1 × 1 destination pixel.
std::uint32_t BlitOne(std::uint32_t source, std::uint32_t destination, float weight, BlendMode mode)
{
  const auto s = FilledBitmap(1, 1, source);
  const auto d = FilledBitmap(1, 1, destination);
  BlitBitmap(d.get(), s.get(), 0, 0, nullptr, weight, mode);
  return PixelAt(*d, 0, 0);
}

TEST(BlitBitmapModes, CopyBlendsAllFourChannelsByTheWeight)
{
  // w = 192: d = s + (d - s) × 64 / 256.
  // B 32 + 208×64/256 = 84; G 64 + 96×64/256 = 88; R 128 - 80×64/256 = 108;
  // A 192 + 63×64/256 = 207.
  EXPECT_EQ(BlitOne(kS, kD, 0.75f, kBlendCopy), 0xCF6C5854u);
  // Full weight copies the word, alpha included.
  EXPECT_EQ(BlitOne(kS, kD, 1.0f, kBlendCopy), kS);
  // Negative weights draw nothing in copy mode.
  EXPECT_EQ(BlitOne(kS, kD, -0.5f, kBlendCopy), kD);
}

TEST(BlitBitmapModes, CopyAtHalfWeightAveragesEachChannel)
{
  // (255 + 0) / 2 = 127 per colour; the alphas average to 255, not 254.
  EXPECT_EQ(BlitOne(0xFFFFFFFFu, 0xFF000000u, 0.5f, kBlendCopy), 0xFF7F7F7Fu);
  // A (192 + 255) / 2 = 223; R (128 + 48) / 2 = 88; G 112; B 136.
  EXPECT_EQ(BlitOne(kS, kD, 0.5f, kBlendCopy), 0xDF587088u);
  EXPECT_EQ(BlitOne(0x01030507u, 0x03050709u, 0.5f, kBlendCopy), 0x02040608u);
}

TEST(BlitBitmapModes, AddClampsEachChannel)
{
  // w = 192: B 240 + 24 → 255; G 160 + 48 = 208; R 48 + 96 = 144; A 255 + 144 → 255.
  EXPECT_EQ(BlitOne(kS, kD, 0.75f, kBlendAdd), 0xFF90D0FFu);
  // w = 256: G 160 + 64 = 224; R 48 + 128 = 176.
  EXPECT_EQ(BlitOne(kS, kD, 1.0f, kBlendAdd), 0xFFB0E0FFu);
}

TEST(BlitBitmapModes, ColourDodgeDividesByTheInverseStrength)
{
  // w = 192: k = s × 192 / 256. B k 24: min(255, 240×256/232) = 255;
  // G k 48: 160×256/208 = 196; R k 96: 48×256/160 = 76; A k 144: 255.
  EXPECT_EQ(BlitOne(kS, kD, 0.75f, kBlendColourDodge), 0xFF4CC4FFu);
  // w = 256: G k 64: 160×256/192 = 213; R k 128: 48×256/128 = 96.
  EXPECT_EQ(BlitOne(kS, kD, 1.0f, kBlendColourDodge), 0xFF60D5FFu);
  // k above 254 saturates any non-zero channel and keeps zero at zero.
  EXPECT_EQ(BlitOne(0xFFFFFFFFu, 0x00010203u, 1.0f, kBlendColourDodge), 0x00FFFFFFu);
  EXPECT_EQ(BlitOne(0xFFFFFFFFu, 0x00000000u, 1.0f, kBlendColourDodge), 0x00000000u);
}

TEST(BlitBitmapModes, MultiplyScalesTheDestination)
{
  // d = ((w × (s - 256) + 65536) × d) >> 16.
  // w = 192: B ((192×-224 + 65536)×240) >> 16 = 82; G ((192×-192 + 65536)×160) >> 16 = 70;
  // R ((192×-128 + 65536)×48) >> 16 = 30; A ((192×-64 + 65536)×255) >> 16 = 207.
  EXPECT_EQ(BlitOne(kS, kD, 0.75f, kBlendMultiply), 0xCF1E4652u);
  // w = 256 is the plain product d × s / 256: B 30, G 40, R 24, A 191.
  EXPECT_EQ(BlitOne(kS, kD, 1.0f, kBlendMultiply), 0xBF18281Eu);
}

TEST(BlitBitmapModes, OverlayLeavesMidGreyNeutral)
{
  // w = 256, m = 0, o = 256 × s. R: o = 32768 gives ((0 + 32768) × 48) >> 15 = 48;
  // G: o = 16384, ((16384×160/256 + 16384) × 160) >> 15 = 130; B: o = 8192,
  // ((24576×240/256 + 8192) × 240) >> 15 = 228; A saturates at 255.
  EXPECT_EQ(BlitOne(kS, kD, 1.0f, kBlendOverlay), 0xFF3082E4u);
  // w = 192: m = 8192; G o = 20480: ((12288×160/256 + 20480) × 160) >> 15 = 137;
  // B o = 14336: ((18432×240/256 + 14336) × 240) >> 15 = 231.
  EXPECT_EQ(BlitOne(kS, kD, 0.75f, kBlendOverlay), 0xFF3089E7u);
}

TEST(BlitBitmapModes, HsvAdjustShiftsHueSaturationAndValueAndTakesTheSourceAlpha)
{
  // D: blue is largest (r < g, b >= g): base 256, L = r - g = -112, o = 192,
  // T[192] + 1 = 341. Source red 128 shifts the hue by w × (64 + 128 - 192) / 256 = 0,
  // so hue = 256 + (-112 × 341) / 1024 = 219. Saturation 192 × T[240] / 256 = 204,
  // plus w × (64 - 128) / 128 = -128 → 76; value 240 + w × (32 - 128) / 128 = 48.
  // Sector 3 (192..255), k = 27: red p = (256 - 76) × 48 / 256 = 33,
  // green falling = 48 × (16384 - 76 × 27) / 16384 = 41, blue v = 48.
  EXPECT_EQ(BlitOne(kS, kD, 1.0f, kBlendHsvAdjust), 0xC0212930u);
  // At w = 192 the shifts shrink: saturation 204 - 96 = 108, value 240 - 144 = 96;
  // red (256 - 108) × 96 / 256 = 55, green 96 × (16384 - 108 × 27) / 16384 = 78.
  EXPECT_EQ(BlitOne(kS, kD, 0.75f, kBlendHsvAdjust), 0xC0374E60u);
}

TEST(BlitBitmapSourceAlpha, CopyAtFullWeightMixesByTheSourceAlpha)
{
  // sa = 192: d = s + (d - s) × 63 / 256, alpha min(255, da + sa).
  // B 32 + 51 = 83; G 64 + 23 = 87; R 128 - 19 = 109; A 255.
  EXPECT_EQ(BlitOne(kS, kD, 1.0f, kBlendSourceAlpha), 0xFF6D5753u);
  EXPECT_EQ(BlitOne(0x00FFFFFFu, 0x12345678u, 1.0f, kBlendSourceAlpha), 0x12345678u);
  EXPECT_EQ(BlitOne(0xFF112233u, 0x00AABBCCu, 1.0f, kBlendSourceAlpha), 0xFF112233u);
  // Alpha 128 white over opaque black: 255 + (0 - 255) × 127 / 256 = 129 each.
  EXPECT_EQ(BlitOne(0x80FFFFFFu, 0xFF000000u, 1.0f, kBlendSourceAlpha), 0xFF818181u);
  // Over a translucent destination the alphas add: 64 + 128 = 192; colours
  // 32 + (128 - 32) × 127 / 256 = 79, 64 + 64 × 127 / 256 = 95, 96 + 32 × 127 / 256 = 111.
  EXPECT_EQ(BlitOne(0x80204060u, 0x40808080u, 1.0f, kBlendSourceAlpha), 0xC04F5F6Fu);
}

TEST(BlitBitmapSourceAlpha, CopyBelowFullWeightScalesTheSourceAlpha)
{
  // w = 128: a = 128 × 193 / 256 = 96; d = s + (d - s) × 160 / 256.
  // B 32 + 130 = 162; G 64 + 60 = 124; R 128 - 50 = 78; A min(255, 96 + 255).
  EXPECT_EQ(BlitOne(kS, kD, 0.5f, kBlendSourceAlpha), 0xFF4E7CA2u);
  // a = 96 over a transparent black destination: alpha 96, colours s - s × 160 / 256:
  // B 32 - 20 = 12; G 64 - 40 = 24; R 128 - 80 = 48.
  EXPECT_EQ(BlitOne(kS, 0x00000000u, 0.5f, kBlendSourceAlpha), 0x6030180Cu);
}

TEST(BlitBitmapSourceAlpha, AddDodgeAndMultiplyUseThePerPixelWeight)
{
  // a = 256 × 193 / 256 = 193. Add: B 240 + 193×32/256 = 264 → 255; G 160 + 48;
  // R 48 + 96; A 255 + 192×193/256 → 255.
  EXPECT_EQ(BlitOne(kS, kD, 1.0f, kBlendSourceAlpha | kBlendAdd), 0xFF90D0FFu);
  // w = 128, a = 96: add B 240 + 12 = 252; G 160 + 24 = 184; R 48 + 48 = 96; A 255.
  EXPECT_EQ(BlitOne(kS, kD, 0.5f, kBlendSourceAlpha | kBlendAdd), 0xFF60B8FCu);
  // Dodge with a = 96: B k 12: 240×256/244 = 251; G k 24: 160×256/232 = 176;
  // R k 48: 48×256/208 = 59; A k 72: 255.
  EXPECT_EQ(BlitOne(kS, kD, 0.5f, kBlendSourceAlpha | kBlendColourDodge), 0xFF3BB0FBu);
  // Multiply with a = 193, m = 63 × 256: B ((6176 + 16128) × 240) >> 16 = 81;
  // G ((12352 + 16128) × 160) >> 16 = 69; R ((24704 + 16128) × 48) >> 16 = 29;
  // A ((37056 + 16128) × 255) >> 16 = 206.
  EXPECT_EQ(BlitOne(kS, kD, 1.0f, kBlendSourceAlpha | kBlendMultiply), 0xCE1D4551u);
}

TEST(BlitBitmapSourceAlpha, OverlayAndHsvUseThePerPixelWeight)
{
  // Overlay at a = 96: m = 160 × 128 = 20480. G o = 96×64 + 20480 = 26624:
  // ((6144 × 160 / 256 + 26624) × 160) >> 15 = 148; B o = 23552:
  // ((9216 × 240 / 256 + 23552) × 240) >> 15 = 235; R o = 32768 keeps 48.
  EXPECT_EQ(BlitOne(kS, kD, 0.5f, kBlendSourceAlpha | kBlendOverlay), 0xFF3094EBu);
  // HSV at a = 96: saturation 204 - 48 = 156, value 240 - 72 = 168, hue 219, k = 27:
  // red (256 - 156) × 168 / 256 = 65, green 168 × (16384 - 156 × 27) / 16384 = 124.
  EXPECT_EQ(BlitOne(kS, kD, 0.5f, kBlendSourceAlpha | kBlendHsvAdjust), 0xC0417CA8u);
}

TEST(BlitBitmapSourceAlpha, TransparentSourcePixelsAreSkippedInEveryWeightedMode)
{
  for (BlendMode operation = kBlendCopy; operation <= kBlendHsvAdjust; ++operation)
  {
    EXPECT_EQ(BlitOne(0x00FFFFFFu, kD, 1.0f, kBlendSourceAlpha | operation), kD) << operation;
    EXPECT_EQ(BlitOne(0x00808080u, kD, 0.5f, kBlendSourceAlpha | operation), kD) << operation;
  }
}

TEST(BlitBitmapChannelCopy, MovesOneByteAndIgnoresTheWeight)
{
  // Red (byte 2) of the source into alpha (byte 3) of the destination.
  EXPECT_EQ(BlitOne(0x11223344u, 0xAABBCCDDu, 0.3f, BlendChannelCopy(2, 3)), 0x22BBCCDDu);
  // Blue into green: mode 0xF4.
  EXPECT_EQ(BlendChannelCopy(0, 1), 0xF4u);
  EXPECT_EQ(BlitOne(0x11223344u, 0xAABBCCDDu, 1.0f, 0xF4u), 0xAABB44DDu);
  // The alpha bit does not matter; a zero weight still draws nothing.
  EXPECT_EQ(BlitOne(0x11223344u, 0xAABBCCDDu, 1.0f, 0x100FFu), 0x11BBCCDDu);
  EXPECT_EQ(BlitOne(0x11223344u, 0xAABBCCDDu, 0.0f, 0xF4u), 0xAABBCCDDu);
}

TEST(BlitBitmapModes, UnknownOperationsAndUnusableWeightsDrawNothing)
{
  EXPECT_EQ(BlitOne(kS, kD, 1.0f, 6), kD);
  EXPECT_EQ(BlitOne(kS, kD, 1.0f, 0x80), kD);
  EXPECT_EQ(BlitOne(kS, kD, 1.0f, kBlendSourceAlpha | 6), kD);
  EXPECT_EQ(BlitOne(kS, kD, std::numeric_limits<float>::quiet_NaN(), kBlendCopy), kD);
  EXPECT_EQ(BlitOne(kS, kD, std::numeric_limits<float>::quiet_NaN(), kBlendAdd), kD);
  // Weights below 1/256 truncate to w = 0.
  EXPECT_EQ(BlitOne(kS, kD, 0.003f, kBlendAdd), kD);
  // An infinite weight is limited to 8 (w = 2048) rather than overflowing:
  // copy extrapolates s - 7 × (d - s) and clamps: B 0, G 0, R 255, A 0.
  EXPECT_EQ(BlitOne(kS, kD, std::numeric_limits<float>::infinity(), kBlendCopy), 0x00FF0000u);
  EXPECT_EQ(BlitOne(kS, kD, 8.0f, kBlendCopy), 0x00FF0000u);
}

// A 4 × 3 source whose pixel (x, y) is 0xFF000000 | x << 8 | y.
std::unique_ptr<RasterMemBitmap> CoordinateSource()
{
  auto source = std::make_unique<RasterMemBitmap>(4, 3);
  for (int y = 0; y < 3; ++y)
  {
    for (int x = 0; x < 4; ++x)
      SetPixel(*source, x, y,
               0xFF000000u | static_cast<std::uint32_t>(x) << 8 | static_cast<std::uint32_t>(y));
  }
  return source;
}

// The number of pixels that are no longer 0.
int CountChanged(const RasterBitmap& bitmap)
{
  int changed = 0;
  for (int y = 0; y < bitmap.Height(); ++y)
  {
    for (int x = 0; x < bitmap.Width(); ++x)
      changed += PixelAt(bitmap, x, y) != 0 ? 1 : 0;
  }
  return changed;
}

std::uint32_t SourcePixel(int x, int y)
{
  return 0xFF000000u | static_cast<std::uint32_t>(x) << 8 | static_cast<std::uint32_t>(y);
}

TEST(BlitBitmapClipping, ANegativeRectangleLeftShiftsTheDestination)
{
  const auto source = CoordinateSource();
  const auto destination = FilledBitmap(10, 10, 0);
  const RasterRect rect{-5, 0, 4, 3};
  BlitBitmap(destination.get(), source.get(), 2, 1, &rect, 1.0f, kBlendCopy);
  // Source column 0 lands at 2 + 5 = 7; only three columns fit.
  EXPECT_EQ(PixelAt(*destination, 7, 1), SourcePixel(0, 0));
  EXPECT_EQ(PixelAt(*destination, 9, 3), SourcePixel(2, 2));
  EXPECT_EQ(CountChanged(*destination), 9);
}

TEST(BlitBitmapClipping, NegativePositionsCutTheSourceInsteadOfWrapping)
{
  const auto source = CoordinateSource();
  const auto destination = FilledBitmap(10, 10, 0);
  BlitBitmap(destination.get(), source.get(), -2, -1, nullptr, 1.0f, kBlendCopy);
  EXPECT_EQ(PixelAt(*destination, 0, 0), SourcePixel(2, 1));
  EXPECT_EQ(PixelAt(*destination, 1, 1), SourcePixel(3, 2));
  EXPECT_EQ(CountChanged(*destination), 4);

  const auto other = FilledBitmap(10, 10, 0);
  const RasterRect rect{1, -2, 3, 3};
  BlitBitmap(other.get(), source.get(), 0, 0, &rect, 1.0f, kBlendCopy);
  // A negative top moves the destination down by 2; columns 1 and 2 only.
  EXPECT_EQ(PixelAt(*other, 0, 2), SourcePixel(1, 0));
  EXPECT_EQ(PixelAt(*other, 1, 4), SourcePixel(2, 2));
  EXPECT_EQ(CountChanged(*other), 6);
}

TEST(BlitBitmapClipping, OverhangIsCutAtTheRightAndBottomEdges)
{
  const auto source = CoordinateSource();
  const auto destination = FilledBitmap(10, 10, 0);
  BlitBitmap(destination.get(), source.get(), 8, 9, nullptr, 1.0f, kBlendSourceAlpha);
  EXPECT_EQ(PixelAt(*destination, 8, 9), SourcePixel(0, 0));
  EXPECT_EQ(PixelAt(*destination, 9, 9), SourcePixel(1, 0));
  EXPECT_EQ(CountChanged(*destination), 2);
}

TEST(BlitBitmapClipping, PositionsAndRectanglesOutsideDrawNothing)
{
  const auto source = CoordinateSource();
  const auto destination = FilledBitmap(10, 10, 0);
  BlitBitmap(destination.get(), source.get(), 10, 0, nullptr, 1.0f, kBlendCopy);
  BlitBitmap(destination.get(), source.get(), 0, 10, nullptr, 1.0f, kBlendCopy);
  BlitBitmap(destination.get(), source.get(), -4, 0, nullptr, 1.0f, kBlendCopy);
  BlitBitmap(destination.get(), source.get(), 0, -3, nullptr, 1.0f, kBlendCopy);
  const RasterRect beyond{4, 0, 8, 3};
  BlitBitmap(destination.get(), source.get(), 0, 0, &beyond, 1.0f, kBlendCopy);
  const RasterRect inverted{3, 0, 1, 3};
  BlitBitmap(destination.get(), source.get(), 0, 0, &inverted, 1.0f, kBlendCopy);
  const int lowest = std::numeric_limits<int>::min();
  const int highest = std::numeric_limits<int>::max();
  BlitBitmap(destination.get(), source.get(), lowest, lowest, nullptr, 1.0f, kBlendCopy);
  BlitBitmap(destination.get(), source.get(), highest, highest, nullptr, 1.0f, kBlendCopy);
  const RasterRect extreme{lowest, lowest, highest, highest};
  BlitBitmap(destination.get(), source.get(), highest, 0, &extreme, 1.0f, kBlendCopy);
  EXPECT_EQ(CountChanged(*destination), 0);

  // A rectangle reaching beyond the source is limited to it.
  const RasterRect wide{2, 1, 100, 100};
  BlitBitmap(destination.get(), source.get(), 0, 0, &wide, 1.0f, kBlendCopy);
  EXPECT_EQ(PixelAt(*destination, 1, 1), SourcePixel(3, 2));
  EXPECT_EQ(CountChanged(*destination), 4);
}

TEST(BlitBitmapClipping, MissingBitmapsOrStorageDrawNothing)
{
  const auto source = CoordinateSource();
  const auto destination = FilledBitmap(4, 4, 0);
  RasterMemBitmap empty;
  BlitBitmap(destination.get(), nullptr, 0, 0, nullptr, 1.0f, kBlendCopy);
  BlitBitmap(nullptr, source.get(), 0, 0, nullptr, 1.0f, kBlendCopy);
  BlitBitmap(&empty, source.get(), 0, 0, nullptr, 1.0f, kBlendCopy);
  BlitBitmap(destination.get(), &empty, 0, 0, nullptr, 1.0f, kBlendCopy);
  BlitBitmap(destination.get(), source.get(), 0, 0, nullptr, 0.0f, kBlendCopy);
  EXPECT_EQ(CountChanged(*destination), 0);
}

TEST(BlitBitmapFastPaths, RowCopyStaysInsideTheRows)
{
  // Width 5 pads rows to 8; the padding must survive a full-width copy.
  const auto source = FilledBitmap(5, 2, 0xFF123456u);
  RasterMemBitmap destination(5, 2);
  for (int i = 0; i < 16; ++i)
    destination.Bits()[i] = 0xDEADBEEFu;
  BlitBitmap(&destination, source.get(), 0, 0, nullptr, 1.0f, kBlendCopy);
  for (int y = 0; y < 2; ++y)
  {
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(destination.Bits()[y * 8 + x], x < 5 ? 0xFF123456u : 0xDEADBEEFu) << x << "," << y;
  }
}

TEST(BlitBitmapRowOrder, BottomUpBitmapsAreAddressedByRow)
{
  const auto source = CoordinateSource();
  FlippedBitmap destination(6, 5, 0);
  BlitBitmap(&destination, source.get(), 1, 1, nullptr, 1.0f, kBlendCopy);
  EXPECT_EQ(destination.Stored(1, 1), SourcePixel(0, 0));
  EXPECT_EQ(destination.Stored(4, 3), SourcePixel(3, 2));
  EXPECT_EQ(destination.Stored(0, 0), 0u);

  FlippedBitmap flippedSource(2, 2, 0);
  SetPixel(flippedSource, 1, 0, 0xFF0000FFu);
  const auto plain = FilledBitmap(2, 2, 0);
  BlitBitmap(plain.get(), &flippedSource, 0, 0, nullptr, 0.5f, kBlendAdd);
  // 0xFF and 0xFF × 128 / 256 = 127 in blue and alpha, at row 0 column 1.
  EXPECT_EQ(PixelAt(*plain, 1, 0), 0x7F00007Fu);
  EXPECT_EQ(PixelAt(*plain, 1, 1), 0u);
}

TEST(BlitBitmapOverlap, ABitmapBlittedOntoItselfReadsBeforeItWrites)
{
  RasterMemBitmap strip(6, 2);
  for (int x = 0; x < 6; ++x)
  {
    SetPixel(strip, x, 0, 0xFF000000u | static_cast<std::uint32_t>(x + 1));
    SetPixel(strip, x, 1, 0xFF000000u | static_cast<std::uint32_t>(x + 11));
  }
  const RasterRect left{0, 0, 5, 2};
  BlitBitmap(&strip, &strip, 1, 0, &left, 1.0f, kBlendCopy);
  const std::uint32_t shifted[] = {1, 1, 2, 3, 4, 5};
  for (int x = 0; x < 6; ++x)
    EXPECT_EQ(PixelAt(strip, x, 0), 0xFF000000u | shifted[x]) << x;

  // One row down with a per-pixel mode: row 1 (shifted too, now 11, 11, 12,
  // ..., 15) gains row 0.
  const RasterRect top{0, 0, 6, 1};
  BlitBitmap(&strip, &strip, 0, 1, &top, 1.0f, kBlendAdd);
  EXPECT_EQ(PixelAt(strip, 0, 1), 0xFF00000Cu);  // 11 + 1, alpha clamps
  EXPECT_EQ(PixelAt(strip, 5, 1), 0xFF000014u);  // 15 + 5

  // Leftward in the same row walks forward.
  const RasterRect right{1, 0, 6, 1};
  BlitBitmap(&strip, &strip, 0, 0, &right, 1.0f, kBlendCopy);
  const std::uint32_t back[] = {1, 2, 3, 4, 5, 5};
  for (int x = 0; x < 6; ++x)
    EXPECT_EQ(PixelAt(strip, x, 0), 0xFF000000u | back[x]) << x;
}
}  // namespace
