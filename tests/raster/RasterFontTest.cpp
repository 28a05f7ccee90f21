// Text through the real platform fonts: fontconfig resolves "Arial" to the
// metric-compatible Liberation Sans and FreeType renders the glyphs. The
// tests rely on what those fonts guarantee (Arial's metrics), not on the
// exact shape of any glyph.
#include "raster/RasterCachedFont.h"
#include "raster/RasterFontCache.h"

#include "tests/raster/RasterTestBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace
{
constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

RasterFontStyle ArialBold20()
{
  RasterFontStyle style;
  style.name = "Arial";
  style.size = 20;
  style.style = 1;
  return style;
}

RasterFont& Font()
{
  RasterFont* const font = RasterFontCacheGetOrCreate(ArialBold20());
  EXPECT_NE(font, nullptr);
  return *font;
}

RasterRect Measure(RasterFont& font, const char* text, std::uint32_t flags = 0, int length = -1)
{
  RasterRect rect{5, 7, 5, 7};
  font.DrawString(nullptr, text, length, rect, flags | kRasterTextMeasure);
  return {rect.left - 5, rect.top - 7, rect.right - 5, rect.bottom - 7};
}

// The smallest rectangle holding every pixel that differs from `background`.
RasterRect InkBox(const RasterBitmap& bitmap, std::uint32_t background)
{
  RasterRect box{bitmap.Width(), bitmap.Height(), 0, 0};
  for (int y = 0; y < bitmap.Height(); ++y)
  {
    for (int x = 0; x < bitmap.Width(); ++x)
    {
      if (PixelAt(bitmap, x, y) == background)
        continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box;
}

bool SameBox(const RasterRect& a, const RasterRect& b)
{
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RasterRect Shifted(const RasterRect& box, int dx, int dy)
{
  return {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
}

int CountDifferent(const RasterBitmap& bitmap, std::uint32_t background)
{
  int count = 0;
  for (int y = 0; y < bitmap.Height(); ++y)
  {
    for (int x = 0; x < bitmap.Width(); ++x)
      count += PixelAt(bitmap, x, y) != background ? 1 : 0;
  }
  return count;
}

// Draws `text` in `colour` at (x, y) of a fresh bitmap filled with `background`.
std::unique_ptr<RasterMemBitmap> Draw(RasterFont& font, const char* text, std::uint32_t colour,
                                      std::uint32_t background,
                                      std::uint32_t flags = kRasterTextNoClip, int width = 160,
                                      int height = 60)
{
  auto bitmap = FilledBitmap(width, height, background);
  font.SetTextColour(colour);
  RasterRect rect{4, 4, width - 4, height - 4};
  font.DrawString(bitmap.get(), text, -1, rect, flags);
  return bitmap;
}

TEST(RasterFontCache, TheKeyIsSizeOrientationStyleAndName)
{
  RasterFont* const font = RasterFontCacheGetOrCreate(ArialBold20());
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(RasterFontCacheFind(ArialBold20()), font);

  // Quality is not part of the key: the first style decides it.
  RasterFontStyle clearType = ArialBold20();
  clearType.quality = 3;
  EXPECT_EQ(RasterFontCacheGetOrCreate(clearType), font);

  RasterFontStyle larger = ArialBold20();
  larger.size = 21;
  RasterFontStyle regular = ArialBold20();
  regular.style = 0;
  RasterFontStyle turned = ArialBold20();
  turned.orientation = 90;
  RasterFontStyle other = ArialBold20();
  other.name = "Liberation Serif";
  for (const RasterFontStyle& style : {larger, regular, turned, other})
  {
    RasterFont* const made = RasterFontCacheGetOrCreate(style);
    ASSERT_NE(made, nullptr);
    EXPECT_NE(made, font);
    EXPECT_EQ(RasterFontCacheFind(style), made);
  }
}

TEST(RasterFontCache, AFontThatCannotBeMadeIsNotCachedAndIsTriedAgain)
{
  RasterFontStyle huge = ArialBold20();
  huge.size = 100000;
  EXPECT_EQ(RasterFontCacheGetOrCreate(huge), nullptr);
  EXPECT_EQ(RasterFontCacheFind(huge), nullptr);
  EXPECT_EQ(RasterFontCacheGetOrCreate(huge), nullptr);
  EXPECT_EQ(RasterFontCacheAdd(nullptr, huge), nullptr);
}

TEST(RasterCachedFontMetrics, ArialResolvesWithTheRequestedCellHeight)
{
  RasterFont& font = Font();
  EXPECT_EQ(font.GetLineHeight(), 20);
  EXPECT_NE(font.GetFontHandle(), nullptr);
  // Arial's digits all advance 1139/2048 em; the 20-pixel cell is a
  // 17.9-pixel em, so ten digits take about 100 pixels.
  const RasterRect digits = Measure(font, "0123456789");
  EXPECT_GE(digits.right, 95);
  EXPECT_LE(digits.right, 105);
  EXPECT_EQ(digits.bottom, 20);
  EXPECT_EQ(Measure(font, "").right, 0);
  EXPECT_EQ(Measure(font, "").bottom, 0);
}

TEST(RasterCachedFontGlyphs, GlyphsAreRenderedOnceAndExtendedCodesAreKept)
{
  auto& font = static_cast<RasterCachedFont&>(Font());
  const RasterGlyphRecord* const a = font.Glyph('A');
  ASSERT_NE(a, nullptr);
  EXPECT_GT(a->offset, 0);
  EXPECT_GE(a->width, a->advance);
  EXPECT_EQ(a->height, 20);
  const std::int32_t offset = a->offset;
  EXPECT_EQ(font.Glyph('A'), a);
  EXPECT_EQ(a->offset, offset);

  const RasterGlyphRecord* const eacute = font.Glyph(0xE9);
  ASSERT_NE(eacute, nullptr);
  EXPECT_EQ(eacute->code, 0xE9);
  EXPECT_GT(eacute->offset, 0);
  const RasterGlyphRecord* const euro = font.Glyph(0x20AC);
  ASSERT_NE(euro, nullptr);
  EXPECT_GT(euro->offset, 0);
  // Inserting other codes keeps earlier records findable.
  EXPECT_EQ(font.Glyph(0xE9)->code, 0xE9);

  // Control codes have no visible glyph and are remembered as absent.
  EXPECT_EQ(font.Glyph(7)->offset, kRasterGlyphAbsent);
  EXPECT_EQ(font.Glyph(0x85)->offset, kRasterGlyphAbsent);
}

TEST(RasterCachedFontText, AbsentGlyphsAndCarriageReturnsTakeNoRoom)
{
  RasterFont& font = Font();
  const RasterRect ab = Measure(font, "AB");
  EXPECT_TRUE(SameBox(Measure(font, "A\aB"), ab));
  EXPECT_TRUE(SameBox(Measure(font, "A\rB"), ab));
  // A length limits the text; so does the NUL.
  EXPECT_TRUE(SameBox(Measure(font, "ABC", 0, 2), ab));
  EXPECT_TRUE(SameBox(Measure(font, "AB\0C", 0, 4), ab));
}

TEST(RasterCachedFontText, LineFeedsStartLinesAndCountAsSpacesOnASingleLine)
{
  RasterFont& font = Font();
  const RasterRect crlf = Measure(font, "Wide\r\nB");
  EXPECT_EQ(crlf.bottom, 40);
  EXPECT_EQ(crlf.right, Measure(font, "Wide").right);
  EXPECT_TRUE(SameBox(Measure(font, "Wide\nB"), crlf));
  EXPECT_EQ(Measure(font, "A\n\nB").bottom, 60);
  EXPECT_TRUE(SameBox(Measure(font, "A\nB", kRasterTextSingleLine), Measure(font, "A B")));

  const auto unix = Draw(font, "Wide\nB", kBlack, kWhite);
  const auto dos = Draw(font, "Wide\r\nB", kBlack, kWhite);
  EXPECT_EQ(std::memcmp(unix->Bits(), dos->Bits(), sizeof(std::uint32_t) * 160 * 60), 0);
  EXPECT_GE(InkBox(*unix, kWhite).bottom, 4 + 20 + 1);
}

TEST(RasterCachedFontText, FourByteCharactersDrawAsSpaces)
{
  RasterFont& font = Font();
  EXPECT_TRUE(SameBox(Measure(font, "A\xF0\x9F\x98\x80"
                                    "B"),
                      Measure(font, "A B")));
  // Invalid bytes are drawn as the Latin-1 characters they stand for.
  EXPECT_TRUE(SameBox(Measure(font, "\xC3"), Measure(font, "\xC3\x83")));
}

TEST(RasterCachedFontText, AlignmentShiftsTheTextInsideTheRectangle)
{
  RasterFont& font = Font();
  const RasterRect size = Measure(font, "Align");
  const auto drawAt = [&](std::uint32_t flags) {
    auto bitmap = FilledBitmap(240, 80, kWhite);
    font.SetTextColour(kBlack);
    RasterRect rect{10, 10, 210, 60};
    font.DrawString(bitmap.get(), "Align", -1, rect, flags);
    return InkBox(*bitmap, kWhite);
  };
  const RasterRect left = drawAt(0);
  ASSERT_LT(left.left, left.right);
  EXPECT_TRUE(SameBox(drawAt(kRasterTextCentre), Shifted(left, (200 - size.right) / 2, 0)));
  EXPECT_TRUE(SameBox(drawAt(kRasterTextRight), Shifted(left, 200 - size.right, 0)));
  EXPECT_TRUE(SameBox(drawAt(kRasterTextVerticalCentre), Shifted(left, 0, (50 - size.bottom) / 2)));
  EXPECT_TRUE(SameBox(drawAt(kRasterTextBottom | kRasterTextRight),
                      Shifted(left, 200 - size.right, 50 - size.bottom)));
}

TEST(RasterCachedFontText, DrawingIsClippedToTheRectangleUnlessAskedNotTo)
{
  RasterFont& font = Font();
  font.SetTextColour(kBlack);
  const auto clipped = FilledBitmap(120, 40, kWhite);
  RasterRect narrow{4, 4, 24, 14};
  font.DrawString(clipped.get(), "Quillwave", -1, narrow, 0);
  const RasterRect box = InkBox(*clipped, kWhite);
  EXPECT_GE(box.left, 4);
  EXPECT_GE(box.top, 4);
  EXPECT_LE(box.right, 24);
  EXPECT_LE(box.bottom, 14);
  EXPECT_GT(CountDifferent(*clipped, kWhite), 0);
  // Drawing never changes the rectangle.
  EXPECT_EQ(narrow.right, 24);

  const auto unclipped = FilledBitmap(120, 40, kWhite);
  font.DrawString(unclipped.get(), "Quillwave", -1, narrow, kRasterTextNoClip);
  EXPECT_GT(InkBox(*unclipped, kWhite).right, 60);

  // Text running off the bitmap is cut at its edges.
  const auto edge = FilledBitmap(30, 10, kWhite);
  RasterRect outside{-10, -8, 100, 100};
  font.DrawString(edge.get(), "Quillwave", -1, outside, kRasterTextNoClip);
  EXPECT_GT(CountDifferent(*edge, kWhite), 0);
}

TEST(RasterCachedFontText, MissingInputsDrawNothing)
{
  RasterFont& font = Font();
  RasterRect rect{0, 0, 10, 10};
  EXPECT_EQ(font.DrawString(nullptr, "A", -1, rect, 0), 0);
  const auto bitmap = FilledBitmap(10, 10, kWhite);
  EXPECT_EQ(font.DrawString(bitmap.get(), nullptr, -1, rect, 0), 0);
  EXPECT_FALSE(font.DrawGlyph(nullptr, 'A', 0, 0, rect));
  EXPECT_FALSE(font.DrawGlyph(bitmap.get(), 'A', 20, 0, rect));
  EXPECT_FALSE(font.DrawGlyph(bitmap.get(), 7, 0, 0, rect));
  EXPECT_FALSE(font.DrawGlyph(bitmap.get(), ' ', 0, 0, rect));
  EXPECT_EQ(CountDifferent(*bitmap, kWhite), 0);
  EXPECT_TRUE(font.DrawGlyph(bitmap.get(), 'A', 0, 0, rect));
  EXPECT_GT(CountDifferent(*bitmap, kWhite), 0);
}

// The coverage m of a pixel from white text drawn at full weight on black:
// red = 255 - 255 × (255 - m) / 256, which is m + 1 below 255. A red of 255
// comes from m = 254 or 255; both give the same results below.
int CoverageFromWhiteOnBlack(std::uint32_t pixel)
{
  const int red = static_cast<int>((pixel >> 16) & 0xFF);
  return red == 255 ? 255 : red - 1;
}

TEST(RasterCachedFontBlend, FullWeightTextMovesColourAndAlphaByTheCoverage)
{
  RasterFont& font = Font();
  const auto reference = Draw(font, "Quill", kWhite, 0x00000000u);
  const auto grey = Draw(font, "Quill", 0xFF204060u, 0x80C8C8C8u);
  int partial = 0;
  for (int y = 0; y < 60; ++y)
  {
    for (int x = 0; x < 160; ++x)
    {
      const std::uint32_t ink = PixelAt(*reference, x, y);
      if (ink == 0)
      {
        EXPECT_EQ(PixelAt(*grey, x, y), 0x80C8C8C8u);
        continue;
      }
      // On transparent black, alpha follows the same curve as the colour.
      EXPECT_EQ(ink >> 24, (ink >> 16) & 0xFF);
      const int m = CoverageFromWhiteOnBlack(ink);
      partial += m < 254 ? 1 : 0;
      // d = (d - C) × (255 - m) / 256 + C; alpha 255 - (255 - m) × (255 - 128) / 256.
      const auto channel = [m](int d, int c) { return (d - c) * (255 - m) / 256 + c; };
      const std::uint32_t expected = static_cast<std::uint32_t>(255 - (255 - m) * 127 / 256) << 24 |
                                     static_cast<std::uint32_t>(channel(200, 0x20)) << 16 |
                                     static_cast<std::uint32_t>(channel(200, 0x40)) << 8 |
                                     static_cast<std::uint32_t>(channel(200, 0x60));
      EXPECT_EQ(PixelAt(*grey, x, y), expected) << x << "," << y << " m " << m;
    }
  }
  // Anti-aliased text has edge pixels of partial coverage.
  EXPECT_GT(partial, 10);
}

TEST(RasterCachedFontBlend, LowerWeightsAndTheColourAlphaScaleTheCoverage)
{
  RasterFont& font = Font();
  const auto reference = Draw(font, "Quill", kWhite, 0x00000000u);
  font.SetCombineMode(kBlendCopy, 0.5f);
  const auto half = Draw(font, "Quill", kWhite, kBlack);
  // The text colour's alpha counts only when asked for.
  const auto colourAlpha =
      Draw(font, "Quill", 0x80FFFFFFu, kBlack, kRasterTextNoClip | kRasterTextColourAlpha);
  font.SetCombineMode(kBlendCopy, 1.0f);
  for (int y = 0; y < 60; ++y)
  {
    for (int x = 0; x < 160; ++x)
    {
      const std::uint32_t ink = PixelAt(*reference, x, y);
      if (ink == 0)
        continue;
      const int m = CoverageFromWhiteOnBlack(ink);
      // w = 128: k = min(256, 128 × m / 256), d = C + (d - C) × (256 - k) / 256.
      const int k = 128 * m / 256;
      const int colour = 255 - 255 * (256 - k) / 256;
      EXPECT_EQ(PixelAt(*half, x, y), 0xFF000000u | static_cast<std::uint32_t>(colour) * 0x010101u);
      // Alpha 0.5 × 128 / 255 gives w = (int)(0.25098 × 256) = 64.
      const int k64 = 64 * m / 256;
      const int colour64 = 255 - 255 * (256 - k64) / 256;
      EXPECT_EQ(PixelAt(*colourAlpha, x, y),
                0xFF000000u | static_cast<std::uint32_t>(colour64) * 0x010101u);
    }
  }
  const auto invisible =
      Draw(font, "Quill", 0x00FFFFFFu, kBlack, kRasterTextNoClip | kRasterTextColourAlpha);
  EXPECT_EQ(CountDifferent(*invisible, kBlack), 0);
  const auto opaqueAnyway = Draw(font, "Quill", 0x00FFFFFFu, kBlack, kRasterTextNoClip);
  EXPECT_GT(CountDifferent(*opaqueAnyway, kBlack), 0);
}

TEST(RasterCachedFontBlend, OtherCombineModesUseTheCoverageAsSourceAlpha)
{
  RasterFont& font = Font();
  const auto reference = Draw(font, "Quill", kWhite, 0x00000000u);
  font.SetCombineMode(kBlendAdd, 1.0f);
  const auto added = Draw(font, "Quill", 0xFF404040u, 0xFF808080u);
  font.SetCombineMode(kBlendCopy, 1.0f);
  for (int y = 0; y < 60; ++y)
  {
    for (int x = 0; x < 160; ++x)
    {
      const std::uint32_t ink = PixelAt(*reference, x, y);
      const int m = ink == 0 ? 0 : CoverageFromWhiteOnBlack(ink);
      if (m == 254 || m == 255)
        continue;
      // a = 256 × (m + 1) / 256; colour 128 + a × 64 / 256; alpha stays 255.
      const int colour = m == 0 ? 128 : 128 + (m + 1) * 64 / 256;
      EXPECT_EQ(PixelAt(*added, x, y), 0xFF000000u | static_cast<std::uint32_t>(colour) * 0x010101u)
          << x << "," << y;
    }
  }
}

// A second font object on the cached font's handle, with other font flags.
class SharedHandleFont
{
public:
  explicit SharedHandleFont(std::int32_t flags)
  {
    font.SetFromFontHandle(Font().GetFontHandle(), flags);
  }
  ~SharedHandleFont() { font.SetFromFontHandle(nullptr, 0); }
  RasterCachedFont font;
};

TEST(RasterCachedFontFlags, MonoFontsDrawOnlyFullInk)
{
  SharedHandleFont mono(kRasterFontMono);
  const auto drawn = Draw(mono.font, "Quill", kWhite, kBlack);
  int ink = 0;
  for (int y = 0; y < 60; ++y)
  {
    for (int x = 0; x < 160; ++x)
    {
      const std::uint32_t pixel = PixelAt(*drawn, x, y);
      EXPECT_TRUE(pixel == kBlack || pixel == kWhite) << std::hex << pixel;
      ink += pixel == kWhite ? 1 : 0;
    }
  }
  EXPECT_GT(ink, 50);
}

TEST(RasterCachedFontFlags, EffectFontsDrawTheEffectColourBesideTheInk)
{
  for (const std::int32_t effect : {kRasterFontShadow, kRasterFontOutline})
  {
    SharedHandleFont outlined(effect);
    outlined.font.SetEffectColour(0xFF00FF00u);
    const auto drawn = Draw(outlined.font, "Quill", 0xFFFF0000u, kBlack);
    int red = 0;
    int green = 0;
    for (int y = 0; y < 60; ++y)
    {
      for (int x = 0; x < 160; ++x)
      {
        const std::uint32_t pixel = PixelAt(*drawn, x, y);
        EXPECT_TRUE(pixel == kBlack || pixel == 0xFFFF0000u || pixel == 0xFF00FF00u)
            << std::hex << pixel;
        red += pixel == 0xFFFF0000u ? 1 : 0;
        green += pixel == 0xFF00FF00u ? 1 : 0;
      }
    }
    EXPECT_GT(red, 50) << effect;
    EXPECT_GT(green, 20) << effect;
  }
}

TEST(RasterCachedFontFlags, VerticalFontsTurnTheirGlyphsAndAdvanceDownward)
{
  auto& horizontal = static_cast<RasterCachedFont&>(Font());
  const RasterGlyphRecord across = *horizontal.Glyph('L');
  SharedHandleFont vertical(kRasterFontVertical);
  const RasterGlyphRecord* const down = vertical.font.Glyph('L');
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(down->width, across.height);
  EXPECT_EQ(down->height, across.width);

  RasterRect rect{0, 0, 0, 0};
  const int extent = vertical.font.DrawString(nullptr, "LL", -1, rect, kRasterTextMeasure);
  EXPECT_EQ(extent, rect.right);
  EXPECT_EQ(rect.right, across.height);
  EXPECT_GE(rect.bottom, across.advance * 2);

  // Top-down and bottom-up turn the opposite ways: one is the other upside down.
  SharedHandleFont bottomUp(kRasterFontVertical | kRasterFontBottomUp);
  const auto downward = Draw(vertical.font, "L", kWhite, kBlack, kRasterTextNoClip, 40, 40);
  const auto upward = Draw(bottomUp.font, "L", kWhite, kBlack, kRasterTextNoClip, 40, 40);
  const RasterRect box = InkBox(*downward, kBlack);
  ASSERT_LT(box.left, box.right);
  const int w = down->width;
  const int h = down->height;
  for (int y = 0; y < h; ++y)
  {
    for (int x = 0; x < w; ++x)
      EXPECT_EQ(PixelAt(*downward, 4 + x, 4 + y), PixelAt(*upward, 4 + w - 1 - x, 4 + h - 1 - y))
          << x << "," << y;
  }
}

TEST(RasterCachedFontFlags, BlurSpreadsInversionFillsAndAsciiFontsStayAscii)
{
  SharedHandleFont plain(0);
  SharedHandleFont blurred(kRasterFontBlur);
  EXPECT_GT(CountDifferent(*Draw(blurred.font, "Quill", kWhite, kBlack), kBlack),
            CountDifferent(*Draw(plain.font, "Quill", kWhite, kBlack), kBlack));

  // An inverted empty cell is all ink, as wide as the whole cell.
  SharedHandleFont inverted(kRasterFontInvert);
  const RasterGlyphRecord space = *inverted.font.Glyph(' ');
  ASSERT_GT(space.offset, 0);
  EXPECT_GT(space.width, space.advance);
  EXPECT_EQ(CountDifferent(*Draw(inverted.font, " ", kWhite, kBlack), kBlack),
            space.width * space.height);

  SharedHandleFont ascii(kRasterFontAsciiAtOnce);
  EXPECT_GT(ascii.font.Glyph('A')->offset, 0);
  EXPECT_EQ(ascii.font.Glyph(0xE9), nullptr);
  EXPECT_EQ(Measure(ascii.font, "\xC3\xA9").right, 0);
}

TEST(RasterCachedFontHandles, ANewHandleReplacesTheGlyphsAndAnOwnedOneIsDeleted)
{
  RasterFontRequest request;
  request.name = "Arial";
  request.height = 20;
  RasterCachedFont font;
  font.SetFromFontHandle(RasterCreateFontHandle(request), kRasterFontOwnsHandle);
  ASSERT_NE(font.GetFontHandle(), nullptr);
  const int small = Measure(font, "0123456789").right;
  request.height = 40;
  // The owned first handle is deleted here (the sanitizer build checks no leak).
  font.SetFromFontHandle(RasterCreateFontHandle(request), kRasterFontOwnsHandle);
  EXPECT_EQ(font.GetLineHeight(), 40);
  const int large = Measure(font, "0123456789").right;
  EXPECT_GE(large, 2 * small - 10);
  EXPECT_LE(large, 2 * small + 10);
}

TEST(RasterCachedFontHandles, LineHeightsBeyondTheGlyphCacheDrawNothing)
{
  RasterFontRequest request;
  request.name = "Arial";
  request.height = 1100;
  RasterCachedFont font;
  font.SetFromFontHandle(RasterCreateFontHandle(request), kRasterFontOwnsHandle);
  ASSERT_NE(font.GetFontHandle(), nullptr);
  EXPECT_EQ(font.GetLineHeight(), 1100);
  EXPECT_EQ(Measure(font, "A").right, 0);
  const auto bitmap = FilledBitmap(20, 20, kWhite);
  RasterRect rect{0, 0, 20, 20};
  font.DrawString(bitmap.get(), "A", -1, rect, 0);
  EXPECT_EQ(CountDifferent(*bitmap, kWhite), 0);
}

}  // namespace
