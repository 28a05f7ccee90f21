// Fonts and the glyph cache on GDI. Under Wine every string of an ordinary
// size goes through the glyph cache, whose glyphs GDI renders; "Arial" is
// Wine's Liberation Sans when fonts-liberation is installed.
#include "raster/RasterCachedFont.h"
#include "raster/RasterMemBitmap.h"
#include "raster/win32/RasterWineDetection.h"

#include "tests/raster/win32/RasterWinTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;

LOGFONTA Description(const RasterFont& font)
{
  LOGFONTA description{};
  EXPECT_EQ(GetObjectA(static_cast<HFONT>(font.GetFontHandle()), sizeof description, &description),
            static_cast<int>(sizeof description));
  return description;
}

TEST(RasterWineDetection, TheRegistryShowsWine)
{
  EXPECT_TRUE(RasterRunningUnderWine());
  EXPECT_TRUE(RasterRunningUnderWine());
}

TEST(RasterFontWin, TheCacheMakesTheFontTheStyleDescribes)
{
  RasterFont* const bold = CachedFont("Arial", 20, 1, 2);
  ASSERT_NE(bold, nullptr);
  const LOGFONTA boldFont = Description(*bold);
  EXPECT_EQ(boldFont.lfHeight, 20);
  EXPECT_EQ(boldFont.lfWidth, 0);
  EXPECT_EQ(boldFont.lfEscapement, 0);
  EXPECT_EQ(boldFont.lfWeight, 700);
  EXPECT_EQ(boldFont.lfItalic, 0);
  EXPECT_EQ(boldFont.lfUnderline, 0);
  EXPECT_EQ(boldFont.lfCharSet, ANSI_CHARSET);
  EXPECT_EQ(boldFont.lfQuality, ANTIALIASED_QUALITY);
  EXPECT_STREQ(boldFont.lfFaceName, "Arial");

  RasterFont* const italic = CachedFont("Arial", 21, 2, 1, 90);
  ASSERT_NE(italic, nullptr);
  const LOGFONTA italicFont = Description(*italic);
  EXPECT_EQ(italicFont.lfWeight, 400);
  EXPECT_NE(italicFont.lfItalic, 0);
  EXPECT_EQ(italicFont.lfEscapement, 900);
  EXPECT_EQ(italicFont.lfOrientation, 900);
  EXPECT_EQ(italicFont.lfQuality, NONANTIALIASED_QUALITY);

  EXPECT_EQ(Description(*CachedFont("Arial", 22, 0, 3)).lfQuality, CLEARTYPE_QUALITY);
  EXPECT_EQ(Description(*CachedFont("Arial", 23, 0, 0)).lfQuality, DEFAULT_QUALITY);
}

TEST(RasterFontWin, ArialHasTheLineHeightGdiReports)
{
  RasterFont* const font = CachedFont("Arial", 20);
  ASSERT_NE(font, nullptr);
  RasterSysBitmap scratch(1, 1);
  HDC const context = ContextOf(scratch);
  HGDIOBJ const previous = SelectObject(context, static_cast<HFONT>(font->GetFontHandle()));
  TEXTMETRICA metrics{};
  ASSERT_TRUE(GetTextMetricsA(context, &metrics));
  char face[LF_FACESIZE] = {};
  GetTextFaceA(context, sizeof face, face);
  SelectObject(context, previous);

  // Windows has Arial itself; Wine substitutes the metric-compatible font.
  const std::string name = face;
  EXPECT_TRUE(name == "Arial" || name == "Liberation Sans") << name;
  EXPECT_EQ(metrics.tmHeight, 20);
  EXPECT_EQ(font->GetLineHeight(), 20);

  // Arial's digits advance 1139/2048 em; in a 20-pixel cell that is about
  // ten pixels each.
  RasterRect digits{3, 4, 3, 4};
  EXPECT_EQ(font->DrawString(nullptr, "0123456789", -1, digits, kRasterTextMeasure), 20);
  EXPECT_GE(digits.right - digits.left, 95);
  EXPECT_LE(digits.right - digits.left, 105);
  EXPECT_EQ(digits.bottom - digits.top, 20);
}

// The glyph of `code`, drawn white at full weight onto transparent black,
// against GDI's own rendering of the character: each channel must be the
// blend of the coverage GDI produced, d = (d − C) × (255 − m) / 256 + C.
void ExpectGlyphHoldsGdiCoverage(RasterCachedFont& font, std::uint16_t code, int& partialPixels)
{
  SCOPED_TRACE(code);
  const RasterGlyphRecord* const glyph = font.Glyph(code);
  ASSERT_NE(glyph, nullptr);
  ASSERT_GT(glyph->offset, 0);
  const std::wstring text(1, static_cast<wchar_t>(code));
  const RECT extent = MeasureWithGdi(static_cast<HFONT>(font.GetFontHandle()), text);
  EXPECT_EQ(glyph->advance, extent.right);
  EXPECT_GE(glyph->width, glyph->advance);
  EXPECT_EQ(glyph->height, 20);

  constexpr int kX = 5;
  constexpr int kY = 3;
  GdiText reference;
  reference.font = static_cast<HFONT>(font.GetFontHandle());
  reference.text = text;
  reference.rect = RasterRect{kX, kY, 40, 30};
  reference.format = DT_SINGLELINE | DT_NOCLIP;
  reference.colour = RGB(255, 255, 255);
  const auto gdi = DrawWithGdi(reference, 40, 30, kBlack);

  RasterMemBitmap drawn(40, 30);
  FillRectangle(&drawn, 0, 0, 40, 30, 0, 1.0f, kBlendCopy);
  font.SetTextColour(kWhite);
  ASSERT_TRUE(font.DrawGlyph(&drawn, code, kX, kY, RasterRect{0, 0, 40, 30}));
  for (int y = 0; y < 30; ++y)
  {
    for (int x = 0; x < 40; ++x)
    {
      const int m = static_cast<int>((PixelAt(*gdi, x, y) >> 16) & 0xFF);
      partialPixels += m > 0 && m < 255 ? 1 : 0;
      const int channel = (0 - 255) * (255 - m) / 256 + 255;
      const int alpha = 255 - (255 - m) * 255 / 256;
      const std::uint32_t expected = m == 0 ? 0u
                                            : static_cast<std::uint32_t>(alpha) << 24 |
                                                  static_cast<std::uint32_t>(channel) * 0x010101u;
      ASSERT_EQ(PixelAt(drawn, x, y), expected) << x << "," << y;
    }
  }
}

TEST(RasterFontWin, GlyphsAreTheCoverageGdiDraws)
{
  auto* const font = static_cast<RasterCachedFont*>(CachedFont("Arial", 20));
  ASSERT_NE(font, nullptr);
  int partial = 0;
  for (const std::uint16_t code :
       {std::uint16_t{'A'}, std::uint16_t{'g'}, std::uint16_t{0xE9}, std::uint16_t{0x20AC}})
    ExpectGlyphHoldsGdiCoverage(*font, code, partial);
  // The default quality is anti-aliased: edges have partial coverage.
  EXPECT_GT(partial, 20);
  // A space advances without ink.
  const RasterGlyphRecord* const space = font->Glyph(' ');
  ASSERT_NE(space, nullptr);
  EXPECT_GT(space->advance, 0);
}

TEST(RasterFontWin, NonAntialiasedFontsHaveOnOffCoverage)
{
  RasterFont* const font = CachedFont("Arial", 24, 0, 1);
  ASSERT_NE(font, nullptr);
  auto drawn = FilledBitmap(120, 40, kBlack);
  font->SetTextColour(kWhite);
  RasterRect rect{2, 2, 118, 38};
  font->DrawString(drawn.get(), "Quill&", -1, rect, 0);
  int ink = 0;
  for (int y = 0; y < 40; ++y)
  {
    for (int x = 0; x < 120; ++x)
    {
      const std::uint32_t pixel = PixelAt(*drawn, x, y);
      // Full coverage blends to white exactly: (0 − 255) × 0 / 256 + 255.
      EXPECT_TRUE(pixel == kBlack || pixel == kWhite) << std::hex << pixel;
      ink += pixel == kWhite ? 1 : 0;
    }
  }
  EXPECT_GT(ink, 60);
}

TEST(RasterTextWin, GlyphTextIsTheSameInSystemAndMemoryBitmaps)
{
  RasterFont* const font = CachedFont("Arial", 20);
  ASSERT_NE(font, nullptr);
  font->SetTextColour(0xFF2060C0u);
  const RasterRect area{10, 8, 190, 45};
  auto system = FilledSysBitmap(200, 50, kWhite);
  auto memory = FilledBitmap(200, 50, kWhite);
  RasterRect rect = area;
  EXPECT_EQ(font->DrawString(system.get(), "Quillwave", -1, rect, 0), 20);
  rect = area;
  EXPECT_EQ(font->DrawString(memory.get(), "Quillwave", -1, rect, 0), 20);

  int changed = 0;
  for (int y = 0; y < 50; ++y)
  {
    for (int x = 0; x < 200; ++x)
    {
      const std::uint32_t pixel = PixelAt(*system, x, y);
      ASSERT_EQ(pixel, PixelAt(*memory, x, y)) << x << "," << y;
      // Blended from the cache, ink is opaque; GDI would have left alpha 0.
      EXPECT_EQ(pixel >> 24, 0xFFu);
      changed += pixel != kWhite ? 1 : 0;
    }
  }
  EXPECT_GT(changed, 100);

  RasterRect measured = area;
  font->DrawString(nullptr, "Quillwave", -1, measured, kRasterTextMeasure);
  const RasterRect ink = InkBox(*system, kWhite);
  EXPECT_GE(ink.left, area.left);
  EXPECT_LE(ink.left, area.left + 2);
  EXPECT_GE(ink.top, area.top);
  EXPECT_LE(ink.right, measured.right);
  EXPECT_GT(ink.right, measured.right - 3);
  EXPECT_LE(ink.bottom, measured.bottom);
  EXPECT_EQ(measured.left, area.left);
  EXPECT_EQ(measured.bottom - measured.top, 20);

  // Right-aligned text ends at the rectangle's right edge.
  auto right = FilledSysBitmap(200, 50, kWhite);
  rect = area;
  font->DrawString(right.get(), "Quillwave", -1, rect, kRasterTextRight);
  const RasterRect shifted = InkBox(*right, kWhite);
  EXPECT_EQ(shifted.left - ink.left, area.right - measured.right);
}
}  // namespace
