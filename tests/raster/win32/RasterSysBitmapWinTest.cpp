// The system bitmap on Windows: a top-down DIB section in a memory device
// context that GDI and the library draw into alike.
#include "raster/RasterSysBitmap.h"

#include "tests/raster/win32/RasterWinTestSupport.h"

#include <gtest/gtest.h>

namespace
{
// GDI fills one pixel through the device context; the pixel word shows up
// at (x, y) of the bitmap's rows.
void ExpectGdiDrawsAt(RasterSysBitmap& bitmap, int x, int y)
{
  FillRectangle(&bitmap, 0, 0, bitmap.Width(), bitmap.Height(), 0xFF000000u, 1.0f, kBlendCopy);
  HBRUSH const brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
  const RECT pixel{x, y, x + 1, y + 1};
  FillRect(ContextOf(bitmap), &pixel, brush);
  DeleteObject(brush);
  GdiFlush();
  EXPECT_EQ(Rgb(bitmap.Bits()[static_cast<std::size_t>(y) * bitmap.RowSpan() + x]), 0x123456u);
  EXPECT_EQ(Rgb(PixelAt(bitmap, 0, 0)), 0u);
}

TEST(RasterSysBitmapWin, IsADibThatGdiDrawsIntoTopDown)
{
  RasterSysBitmap bitmap(500, 480);
  ASSERT_NE(bitmap.DeviceContext(), nullptr);
  ASSERT_NE(bitmap.Bits(), nullptr);
  EXPECT_EQ(bitmap.RowSpan(), 500);
  EXPECT_FALSE(bitmap.IsFlipped());
  EXPECT_EQ(bitmap.ExtendedQuery(0, nullptr), 0);
  ExpectGdiDrawsAt(bitmap, 3, 2);
  ExpectGdiDrawsAt(bitmap, 499, 479);
}

TEST(RasterSysBitmapWin, ShrinkingKeepsTheDibAndGrowingPadsTheWidth)
{
  RasterSysBitmap bitmap(500, 480);
  std::uint32_t* const bits = bitmap.Bits();
  void* const context = bitmap.DeviceContext();

  EXPECT_TRUE(bitmap.Resize(300, 200));
  EXPECT_EQ(bitmap.Width(), 300);
  EXPECT_EQ(bitmap.Height(), 200);
  EXPECT_EQ(bitmap.RowSpan(), 500);
  EXPECT_EQ(bitmap.Bits(), bits);
  EXPECT_EQ(bitmap.DeviceContext(), context);
  ExpectGdiDrawsAt(bitmap, 299, 199);
  EXPECT_FALSE(bitmap.Resize(300, 200));

  EXPECT_TRUE(bitmap.Resize(501, 480));
  EXPECT_EQ(bitmap.Width(), 501);
  EXPECT_EQ(bitmap.RowSpan(), 504);
  EXPECT_EQ(bitmap.DeviceContext(), context);
  ExpectGdiDrawsAt(bitmap, 500, 479);

  // Without a size there are no pixels; the device context stays.
  EXPECT_FALSE(bitmap.Resize(0, 0));
  EXPECT_EQ(bitmap.Bits(), nullptr);
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.DeviceContext(), context);
  EXPECT_TRUE(bitmap.Resize(5, 3));
  EXPECT_EQ(bitmap.RowSpan(), 8);
  ExpectGdiDrawsAt(bitmap, 4, 2);
}

TEST(RasterSysBitmapWin, ADibThatCannotBeMadeLeavesNoSize)
{
  RasterSysBitmap huge(100000, 100000);
  EXPECT_EQ(huge.Bits(), nullptr);
  EXPECT_EQ(huge.Width(), 0);
  EXPECT_EQ(huge.Height(), 0);
  RasterSysBitmap negative(-8, 4);
  EXPECT_EQ(negative.Bits(), nullptr);
  EXPECT_EQ(negative.Width(), 0);
}
}  // namespace
