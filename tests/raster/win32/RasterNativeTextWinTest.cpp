// GDI drawing strings itself. Under Wine only fonts too tall for the glyph
// cache take this path; what they draw is held to GDI's own rendering, both
// straight into a DIB and through the text canvas into a memory bitmap.
#include "raster/win32/RasterNativeTextWin.h"
#include "raster/RasterCachedFont.h"
#include "raster/RasterMemBitmap.h"

#include "tests/raster/win32/RasterWinTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace
{
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kTranslucentWhite = 0x80FFFFFFu;
// 0x2060C0 as a pixel word and as a COLORREF.
constexpr std::uint32_t kTextColour = 0xFF2060C0u;
const COLORREF kTextColourRef = RGB(0x20, 0x60, 0xC0);
constexpr int kWidth = 420;
constexpr int kHeight = 340;

class ExtendedBitmap : public RasterMemBitmap
{
public:
  using RasterMemBitmap::RasterMemBitmap;
  int ExtendedQuery(int, void*) override { return 1; }
};

RasterNativeTextRequest PlainRequest()
{
  RasterNativeTextRequest request;
  request.font = CachedFont("Arial", 20)->GetFontHandle();
  request.fontFlags = kRasterFontOwnsHandle | kRasterFontNativeAllowed;
  request.lineHeight = 20;
  return request;
}

TEST(RasterNativeTextChoice, PlainFontsOutsideWineUseGdi)
{
  const RasterNativeTextRequest plain = PlainRequest();
  RasterMemBitmap bitmap(8, 8);
  EXPECT_TRUE(RasterNativeTextChosen(plain, &bitmap, 0, false));
  EXPECT_TRUE(RasterNativeTextChosen(plain, nullptr, kRasterTextMeasure, false));
  EXPECT_FALSE(RasterNativeTextChosen(plain, &bitmap, 0, true));
  EXPECT_FALSE(RasterNativeTextChosen(plain, &bitmap, kRasterTextNoNative, false));
  EXPECT_FALSE(RasterNativeTextChosen(plain, &bitmap, kRasterTextColourAlpha, false));

  RasterNativeTextRequest request = plain;
  request.fontFlags = kRasterFontOwnsHandle;
  EXPECT_FALSE(RasterNativeTextChosen(request, &bitmap, 0, false));
  request = plain;
  request.font = nullptr;
  EXPECT_FALSE(RasterNativeTextChosen(request, &bitmap, 0, false));
  for (const std::int32_t flag :
       {kRasterFontVertical, kRasterFontBottomUp, kRasterFontAsciiAtOnce, kRasterFontBlur,
        kRasterFontInvert, kRasterFontMono, kRasterFontShadow, kRasterFontOutline})
  {
    request = plain;
    request.fontFlags |= flag;
    EXPECT_FALSE(RasterNativeTextChosen(request, &bitmap, 0, false)) << flag;
  }
  request = plain;
  request.fontFlags |= 0x8;
  EXPECT_TRUE(RasterNativeTextChosen(request, &bitmap, 0, false));

  // Spaced lines are the glyph cache's, unless there is only one line.
  request = plain;
  request.lineSpacing = 3;
  EXPECT_FALSE(RasterNativeTextChosen(request, &bitmap, 0, false));
  EXPECT_TRUE(RasterNativeTextChosen(request, &bitmap, kRasterTextSingleLine, false));

  ExtendedBitmap extended(8, 8);
  EXPECT_FALSE(RasterNativeTextChosen(plain, &extended, 0, false));
}

TEST(RasterNativeTextChoice, FontsTooTallForTheCacheAlwaysUseGdi)
{
  RasterNativeTextRequest tall = PlainRequest();
  tall.lineHeight = 256;
  tall.fontFlags = kRasterFontMono | kRasterFontAsciiAtOnce;
  tall.lineSpacing = 4;
  RasterMemBitmap bitmap(8, 8);
  EXPECT_TRUE(
      RasterNativeTextChosen(tall, &bitmap, kRasterTextNoNative | kRasterTextColourAlpha, true));
  tall.lineHeight = 255;
  EXPECT_FALSE(RasterNativeTextChosen(tall, &bitmap, 0, true));
  tall.lineHeight = 256;
  ExtendedBitmap extended(8, 8);
  EXPECT_FALSE(RasterNativeTextChosen(tall, &extended, 0, true));
}

TEST(RasterNativeTextWin, UnderWineOrdinaryFontsAreLeftToTheGlyphCache)
{
  const RasterNativeTextRequest plain = PlainRequest();
  auto bitmap = FilledSysBitmap(40, 30, kWhite);
  RasterRect rect{0, 0, 40, 30};
  int result = -1;
  EXPECT_FALSE(RasterDrawNativeText(plain, bitmap.get(), "Hi", -1, rect, 0, result));
  EXPECT_EQ(result, -1);
  EXPECT_EQ(InkBox(*bitmap, kWhite).right, 0);
}

class RasterTallText : public ::testing::Test
{
protected:
  void SetUp() override
  {
    font = CachedFont("Arial", 300);
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(font->GetLineHeight(), 300);
    font->SetTextColour(kTextColour);
    font->SetBackgroundMode(kRasterBackgroundTransparent);
    font->SetCombineMode(kBlendCopy, 1.0f);
  }

  void TearDown() override
  {
    font->SetBackgroundMode(kRasterBackgroundTransparent);
    font->SetCombineMode(kBlendCopy, 1.0f);
  }

  GdiText Reference(const std::wstring& text, const RasterRect& rect, UINT format) const
  {
    GdiText reference;
    reference.font = static_cast<HFONT>(font->GetFontHandle());
    reference.text = text;
    reference.rect = rect;
    reference.format = format;
    reference.colour = kTextColourRef;
    return reference;
  }

  RasterFont* font = nullptr;
};

TEST_F(RasterTallText, GdiDrawsStraightIntoASystemBitmap)
{
  const RasterRect area{10, 5, 410, 335};
  auto drawn = FilledSysBitmap(kWidth, kHeight, kWhite);
  RasterRect rect = area;
  EXPECT_EQ(font->DrawString(drawn.get(), "Hi&", -1, rect, 0), 300);
  const auto gdi = DrawWithGdi(Reference(L"Hi&", area, 0), kWidth, kHeight, kWhite);
  EXPECT_GT(InkBox(*gdi, kWhite).right, 0);
  EXPECT_EQ(CountRgbDifferences(*drawn, *gdi), 0);
  // Drawing leaves the rectangle alone.
  EXPECT_EQ(rect.right, area.right);
}

TEST_F(RasterTallText, GdiDrawsThroughTheTextCanvasIntoAMemoryBitmap)
{
  const struct
  {
    RasterRect rect;
    std::uint32_t flags;
  } cases[] = {
      {{10, 5, 410, 335}, 0},
      {{0, 0, kWidth, kHeight},
       kRasterTextCentre | kRasterTextVerticalCentre | kRasterTextSingleLine},
      {{0, 0, kWidth, kHeight}, kRasterTextRight | kRasterTextBottom | kRasterTextSingleLine},
      // Clipped to the rectangle, then not; partly off the bitmap.
      {{30, 20, 140, 200}, 0},
      {{30, 20, 140, 200}, kRasterTextNoClip},
      {{-60, -40, 200, 200}, kRasterTextNoClip},
  };
  for (const auto& test : cases)
  {
    SCOPED_TRACE(test.flags);
    SCOPED_TRACE(test.rect.left);
    auto drawn = FilledBitmap(kWidth, kHeight, kTranslucentWhite);
    RasterRect rect = test.rect;
    font->DrawString(drawn.get(), "Hi", -1, rect, test.flags);
    const auto gdi = DrawWithGdi(Reference(L"Hi", test.rect, test.flags), kWidth, kHeight, kWhite);
    ASSERT_GT(InkBox(*gdi, kWhite).right, 0);
    EXPECT_EQ(CountRgbDifferences(*drawn, *gdi), 0);
    // What the text painted is opaque; the rest keeps its alpha.
    for (int y = 0; y < kHeight; ++y)
    {
      for (int x = 0; x < kWidth; ++x)
      {
        const std::uint32_t pixel = PixelAt(*drawn, x, y);
        if (pixel != kTranslucentWhite)
        {
          ASSERT_EQ(pixel >> 24, 0xFFu) << x << "," << y;
        }
      }
    }
  }
}

TEST_F(RasterTallText, RectanglesAtTheEndsOfTheCoordinateRangeDrawNothing)
{
  auto drawn = FilledBitmap(kWidth, kHeight, kWhite);
  RasterRect after{INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX};
  font->DrawString(drawn.get(), "Hi", -1, after,
                   kRasterTextRight | kRasterTextBottom | kRasterTextSingleLine);
  RasterRect before{INT_MIN, INT_MIN, INT_MIN + 10, INT_MIN + 10};
  font->DrawString(drawn.get(), "Hi", -1, before, kRasterTextNoClip);
  EXPECT_EQ(InkBox(*drawn, kWhite).right, 0);
}

TEST_F(RasterTallText, TheOpaqueBackgroundAndTheFontAlphaApplyThroughTheCanvas)
{
  const RasterRect area{20, 10, 400, 330};
  font->SetBackgroundMode(kRasterBackgroundOpaque);
  font->SetBackgroundColour(0xFFE01010u);
  auto system = FilledSysBitmap(kWidth, kHeight, kWhite);
  auto memory = FilledBitmap(kWidth, kHeight, kWhite);
  RasterRect rect = area;
  font->DrawString(system.get(), "Hi", -1, rect, 0);
  rect = area;
  font->DrawString(memory.get(), "Hi", -1, rect, 0);
  GdiText reference = Reference(L"Hi", area, 0);
  reference.opaque = true;
  reference.background = RGB(0xE0, 0x10, 0x10);
  const auto gdi = DrawWithGdi(reference, kWidth, kHeight, kWhite);
  EXPECT_EQ(CountRgbDifferences(*system, *gdi), 0);
  EXPECT_EQ(CountRgbDifferences(*memory, *gdi), 0);
  EXPECT_EQ(Rgb(PixelAt(*memory, area.left, area.top)), 0xE01010u);

  // Half the font's alpha mixes the drawn area half and half into the bitmap.
  font->SetCombineMode(kBlendCopy, 0.5f);
  auto half = FilledBitmap(kWidth, kHeight, kWhite);
  rect = area;
  font->DrawString(half.get(), "Hi", -1, rect, 0);
  for (int y = 0; y < kHeight; ++y)
  {
    for (int x = 0; x < kWidth; ++x)
    {
      // Weight 0.5 halves each channel's way from the bitmap to the text.
      const std::uint32_t full = PixelAt(*memory, x, y);
      std::uint32_t expected = 0;
      for (int shift = 0; shift < 32; shift += 8)
        expected |= (((full >> shift) & 0xFF) + 0xFF) / 2 << shift;
      ASSERT_EQ(PixelAt(*half, x, y), expected) << x << "," << y;
    }
  }
}

TEST_F(RasterTallText, MeasuringIsGdisExtentWithOrWithoutABitmap)
{
  const RECT extent = MeasureWithGdi(static_cast<HFONT>(font->GetFontHandle()), L"Hi", 0);
  ASSERT_GT(extent.right, 0);
  auto system = FilledSysBitmap(8, 8, kWhite);
  auto memory = FilledBitmap(8, 8, kWhite);
  for (RasterBitmap* const bitmap :
       {static_cast<RasterBitmap*>(nullptr), static_cast<RasterBitmap*>(system.get()),
        static_cast<RasterBitmap*>(memory.get())})
  {
    RasterRect rect{7, 9, 7, 9};
    EXPECT_EQ(font->DrawString(bitmap, "Hi", -1, rect, kRasterTextMeasure), 300);
    EXPECT_EQ(rect.left, 7);
    EXPECT_EQ(rect.top, 9);
    EXPECT_EQ(rect.right, 7 + extent.right);
    EXPECT_EQ(rect.bottom, 9 + 300);
  }
  // Measuring draws nothing.
  EXPECT_EQ(InkBox(*system, kWhite).right, 0);
  EXPECT_EQ(InkBox(*memory, kWhite).right, 0);

  // The length limits the text.
  RasterRect first{0, 0, 0, 0};
  font->DrawString(nullptr, "Hi", 1, first, kRasterTextMeasure);
  EXPECT_EQ(first.right, MeasureWithGdi(static_cast<HFONT>(font->GetFontHandle()), L"H", 0).right);
}

TEST_F(RasterTallText, Utf8IsDrawnAsUtf16AndPlainBytesInTheAnsiCodePage)
{
  if (GetACP() != 1252)
    GTEST_SKIP() << "the ANSI code page is " << GetACP();
  const RasterRect area{0, 0, kWidth, kHeight};
  auto wide = FilledSysBitmap(kWidth, kHeight, kWhite);
  auto ansi = FilledSysBitmap(kWidth, kHeight, kWhite);
  RasterRect rect = area;
  font->DrawString(wide.get(), "\xC3\xA9t\xC3\xA9", -1, rect, 0);
  rect = area;
  // Without a valid multi-byte sequence the bytes are Windows-1252: 0xE9 is é.
  font->DrawString(ansi.get(), "\xE9t\xE9", -1, rect, 0);
  const auto gdi = DrawWithGdi(Reference(L"\u00E9t\u00E9", area, 0), kWidth, kHeight, kWhite);
  EXPECT_GT(InkBox(*gdi, kWhite).right, 0);
  EXPECT_EQ(CountRgbDifferences(*wide, *gdi), 0);
  EXPECT_EQ(CountRgbDifferences(*ansi, *gdi), 0);
}

TEST_F(RasterTallText, TextBeyondTheLocalBufferIsConvertedWhole)
{
  std::string utf8;
  std::wstring utf16;
  for (int i = 0; i < 1100; ++i)
  {
    utf8 += "\xC3\xA9";
    utf16 += L'\u00E9';
  }
  utf8 += "H";
  utf16 += L'H';
  const RECT extent =
      MeasureWithGdi(static_cast<HFONT>(font->GetFontHandle()), utf16, DT_SINGLELINE);
  RasterRect rect{0, 0, 0, 0};
  font->DrawString(nullptr, utf8.c_str(), -1, rect, kRasterTextMeasure | kRasterTextSingleLine);
  EXPECT_EQ(rect.right, extent.right);

  // Right-aligned, only the end of the text is in view.
  const RasterRect area{0, 0, kWidth, kHeight};
  auto drawn = FilledSysBitmap(kWidth, kHeight, kWhite);
  RasterRect target = area;
  font->DrawString(drawn.get(), utf8.c_str(), -1, target, kRasterTextRight | kRasterTextSingleLine);
  const auto gdi =
      DrawWithGdi(Reference(utf16, area, DT_RIGHT | DT_SINGLELINE), kWidth, kHeight, kWhite);
  EXPECT_GT(InkBox(*gdi, kWhite).right, 0);
  EXPECT_EQ(CountRgbDifferences(*drawn, *gdi), 0);
}

TEST_F(RasterTallText, TextWindowsCannotConvertIsLeftToTheGlyphCache)
{
  RasterNativeTextRequest request = PlainRequest();
  request.font = font->GetFontHandle();
  request.lineHeight = font->GetLineHeight();
  RasterRect rect{0, 0, 0, 0};
  int result = 0;
  EXPECT_TRUE(
      RasterDrawNativeText(request, nullptr, "\xC3\xA9", -1, rect, kRasterTextMeasure, result));
  EXPECT_FALSE(
      RasterDrawNativeText(request, nullptr, "\xC3\xA9\xFF", -1, rect, kRasterTextMeasure, result));

  // The glyph cache draws it instead, with opaque ink.
  auto drawn = FilledSysBitmap(kWidth, kHeight, kWhite);
  RasterRect area{0, 0, kWidth, kHeight};
  font->DrawString(drawn.get(), "\xC3\xA9\xFF", -1, area, 0);
  const RasterRect ink = InkBox(*drawn, kWhite);
  ASSERT_GT(ink.right, 0);
  for (int y = ink.top; y < ink.bottom; ++y)
  {
    for (int x = ink.left; x < ink.right; ++x)
      ASSERT_EQ(PixelAt(*drawn, x, y) >> 24, 0xFFu) << x << "," << y;
  }
}
}  // namespace
