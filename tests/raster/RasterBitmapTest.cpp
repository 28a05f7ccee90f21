#include "raster/RasterMemBitmap.h"
#include "raster/RasterSysBitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace
{
bool Aligned64(const void* p)
{
  return reinterpret_cast<std::uintptr_t>(p) % 64 == 0;
}

TEST(RasterMemBitmap, PadsRowsToFourPixelsAndAlignsTheFirstPixel)
{
  RasterMemBitmap bitmap(5, 3);
  EXPECT_EQ(bitmap.Width(), 5);
  EXPECT_EQ(bitmap.Height(), 3);
  EXPECT_EQ(bitmap.RowSpan(), 8);
  EXPECT_FALSE(bitmap.IsFlipped());
  EXPECT_EQ(bitmap.DeviceContext(), nullptr);
  EXPECT_EQ(bitmap.ExtendedQuery(1, nullptr), 0);
  ASSERT_NE(bitmap.Bits(), nullptr);
  EXPECT_TRUE(Aligned64(bitmap.Bits()));
  EXPECT_EQ(bitmap.AllocatedBytes(), 3 * 8 * 4);
  // The whole padded area is writable (checked by the sanitizer build).
  for (int i = 0; i < 3 * 8; ++i)
    bitmap.Bits()[i] = 0x12345678u;
}

TEST(RasterMemBitmap, StartsEmptyUnlessBothSizesArePositive)
{
  RasterMemBitmap none;
  EXPECT_EQ(none.Bits(), nullptr);
  EXPECT_EQ(none.Width(), 0);
  RasterMemBitmap flat(10, 0);
  EXPECT_EQ(flat.Bits(), nullptr);
  EXPECT_EQ(flat.Width(), 0);
  EXPECT_EQ(flat.Height(), 0);
}

TEST(RasterMemBitmap, ResizeReportsChangesGrowsByAQuarterAndNeverShrinks)
{
  RasterMemBitmap bitmap(8, 8);
  EXPECT_FALSE(bitmap.Resize(8, 8));
  EXPECT_EQ(bitmap.AllocatedBytes(), 256);

  const std::uint32_t* const before = bitmap.Bits();
  EXPECT_TRUE(bitmap.Resize(4, 4));
  EXPECT_EQ(bitmap.AllocatedBytes(), 256);
  EXPECT_EQ(bitmap.Bits(), before);
  EXPECT_EQ(bitmap.Width(), 4);

  EXPECT_TRUE(bitmap.Resize(16, 16));
  // 16 × 16 × 4 = 1024 bytes needed; a quarter more is kept.
  EXPECT_EQ(bitmap.AllocatedBytes(), 1280);
  EXPECT_TRUE(Aligned64(bitmap.Bits()));
  for (int i = 0; i < 16 * 16; ++i)
    bitmap.Bits()[i] = 0;

  EXPECT_TRUE(bitmap.Resize(0, 16));
  EXPECT_EQ(bitmap.Bits(), nullptr);
  EXPECT_EQ(bitmap.AllocatedBytes(), 0);
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 0);
}

TEST(RasterMemBitmap, ASizeBeyondTheByteCountLeavesAnEmptyBitmap)
{
  RasterMemBitmap bitmap(4, 4);
  EXPECT_TRUE(bitmap.Resize(100000, 100000));
  EXPECT_EQ(bitmap.Bits(), nullptr);
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 0);

  RasterMemBitmap widest(std::numeric_limits<int>::max(), 1);
  EXPECT_EQ(widest.Bits(), nullptr);
  EXPECT_EQ(widest.Width(), 0);
}

TEST(RasterSysBitmap, ShrinkingKeepsTheSurfaceAndGrowingPadsTheWidth)
{
  RasterSysBitmap bitmap(500, 480);
  ASSERT_NE(bitmap.Bits(), nullptr);
  EXPECT_EQ(bitmap.RowSpan(), 500);
  const std::uint32_t* const before = bitmap.Bits();

  EXPECT_TRUE(bitmap.Resize(300, 200));
  EXPECT_EQ(bitmap.Width(), 300);
  EXPECT_EQ(bitmap.Height(), 200);
  EXPECT_EQ(bitmap.RowSpan(), 500);
  EXPECT_EQ(bitmap.Bits(), before);

  EXPECT_TRUE(bitmap.Resize(501, 480));
  EXPECT_EQ(bitmap.RowSpan(), 504);
  ASSERT_NE(bitmap.Bits(), nullptr);
  bitmap.Bits()[504 * 480 - 1] = 1;
  EXPECT_FALSE(bitmap.Resize(501, 480));
}

TEST(RasterSysBitmap, HasNoDeviceContextOnLinuxAndNoPixelsWithoutASize)
{
  RasterSysBitmap bitmap(4, 4);
  EXPECT_EQ(bitmap.DeviceContext(), nullptr);
  EXPECT_FALSE(bitmap.IsFlipped());
  EXPECT_EQ(bitmap.ExtendedQuery(0, nullptr), 0);

  EXPECT_FALSE(bitmap.Resize(0, 0));
  EXPECT_EQ(bitmap.Bits(), nullptr);
  EXPECT_EQ(bitmap.Width(), 0);

  RasterSysBitmap negative(-8, 4);
  EXPECT_EQ(negative.Bits(), nullptr);
  EXPECT_EQ(negative.Width(), 0);
  EXPECT_EQ(negative.Height(), 0);

  RasterSysBitmap huge(100000, 100000);
  EXPECT_EQ(huge.Bits(), nullptr);
  EXPECT_EQ(huge.Width(), 0);
}
}  // namespace
