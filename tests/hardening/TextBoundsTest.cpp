// Text handed to DrawString with an explicit length is read up to that length
// and no further: the editor passes parts of longer strings and buffers
// without a terminator. The sanitizer build catches a read past the end;
// every build checks that the length alone decides what is drawn.
#include "raster/RasterFontCache.h"
#include "raster/RasterMemBitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace
{
RasterFont& Font()
{
  RasterFontStyle style;
  style.name = "Arial";
  style.size = 14;
  RasterFont* const font = RasterFontCacheGetOrCreate(style);
  EXPECT_NE(font, nullptr);
  return *font;
}

RasterRect Measure(const char* text, int length)
{
  RasterRect rect{0, 0, 0, 0};
  Font().DrawString(nullptr, text, length, rect, kRasterTextMeasure);
  return rect;
}

// `text` copied into heap memory of exactly its length, without a terminator.
std::unique_ptr<char[]> Unterminated(const char* text)
{
  const size_t length = std::strlen(text);
  auto copy = std::make_unique<char[]>(length);
  std::memcpy(copy.get(), text, length);
  return copy;
}
}  // namespace

TEST(TextBounds, MeasuringStopsAtTheLengthOfUnterminatedText)
{
  const auto text = Unterminated("Quillwave");
  const RasterRect measured = Measure(text.get(), 9);
  const RasterRect expected = Measure("Quillwave", -1);
  EXPECT_EQ(measured.right, expected.right);
  EXPECT_EQ(measured.bottom, expected.bottom);
}

TEST(TextBounds, DrawingStopsAtTheLengthOfUnterminatedText)
{
  const auto text = Unterminated("Rate \xE2\x82\xAC");
  RasterMemBitmap bitmap(80, 20);
  RasterRect rect{0, 0, 80, 20};
  EXPECT_GT(Font().DrawString(&bitmap, text.get(), 8, rect, kRasterTextCentre), 0);
}

TEST(TextBounds, TheLengthCutsAStringShorterThanItsTerminator)
{
  EXPECT_EQ(Measure("Quillwave", 5).right, Measure("Quill", -1).right);
  EXPECT_EQ(Measure("Quillwave", 0).right, 0);
}
