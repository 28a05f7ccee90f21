#include "raster/RasterPng.h"
#include "raster/RasterSysBitmap.h"

#include "tests/raster/PngWriter.h"
#include "tests/raster/RasterTestBitmaps.h"

#include <gtest/gtest.h>
#include <png.h>

#include <zlib.h>

namespace
{
std::unique_ptr<RasterMemBitmap> Decode(const std::vector<std::uint8_t>& bytes)
{
  return DecodePng(bytes.data(), bytes.size());
}

PngImage Image(int width, int height, int colourType, int bitDepth,
               std::vector<std::vector<std::uint8_t>> rows)
{
  PngImage image;
  image.width = width;
  image.height = height;
  image.colourType = colourType;
  image.bitDepth = bitDepth;
  image.rows = std::move(rows);
  return image;
}

TEST(DecodePng, RgbaPixelsBecomeStraightAlphaWords)
{
  const auto bitmap = Decode(WritePng(CoordinateRgbaImage(3, 2)));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 3);
  EXPECT_EQ(bitmap->Height(), 2);
  // (x, y) = (2, 1): red 80, green 50, blue 7, alpha 255 - 90 = 165.
  EXPECT_EQ(PixelAt(*bitmap, 2, 1), 0xA5503207u);
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0xFF000007u);
}

TEST(DecodePng, RgbWithoutTransparencyIsOpaque)
{
  const auto bitmap =
      Decode(WritePng(Image(2, 1, PNG_COLOR_TYPE_RGB, 8, {{1, 2, 3, 250, 251, 252}})));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0xFF010203u);
  EXPECT_EQ(PixelAt(*bitmap, 1, 0), 0xFFFAFBFCu);
}

TEST(DecodePng, PaletteWithTransparencyGetsPerPixelAlpha)
{
  // Four 2-bit indices 0, 1, 2, 3 in one byte; entries 0 and 1 carry alpha.
  PngImage image = Image(4, 1, PNG_COLOR_TYPE_PALETTE, 2, {{0x1B}});
  image.palette = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
  image.paletteAlpha = {0, 128};
  const auto bitmap = Decode(WritePng(image));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0x000A141Eu);
  EXPECT_EQ(PixelAt(*bitmap, 1, 0), 0x8028323Cu);
  EXPECT_EQ(PixelAt(*bitmap, 2, 0), 0xFF46505Au);
  EXPECT_EQ(PixelAt(*bitmap, 3, 0), 0xFF646E78u);
}

TEST(DecodePng, PaletteWithoutTransparencyIsOpaque)
{
  PngImage image = Image(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {{1, 0}});
  image.palette = {1, 2, 3, 4, 5, 6};
  const auto bitmap = Decode(WritePng(image));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0xFF040506u);
  EXPECT_EQ(PixelAt(*bitmap, 1, 0), 0xFF010203u);
}

TEST(DecodePng, SixteenBitSamplesKeepTheirHighBytes)
{
  const auto rgb =
      Decode(WritePng(Image(1, 1, PNG_COLOR_TYPE_RGB, 16, {{0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x01}})));
  ASSERT_NE(rgb, nullptr);
  EXPECT_EQ(PixelAt(*rgb, 0, 0), 0xFF12ABFFu);
  const auto rgba = Decode(WritePng(Image(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16,
                                          {{0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x01, 0x80, 0x00}})));
  ASSERT_NE(rgba, nullptr);
  EXPECT_EQ(PixelAt(*rgba, 0, 0), 0x8012ABFFu);
}

TEST(DecodePng, GreyImagesBecomeGreyRgb)
{
  const auto grey = Decode(WritePng(Image(2, 1, PNG_COLOR_TYPE_GRAY, 8, {{0x40, 0xC0}})));
  ASSERT_NE(grey, nullptr);
  EXPECT_EQ(PixelAt(*grey, 0, 0), 0xFF404040u);
  EXPECT_EQ(PixelAt(*grey, 1, 0), 0xFFC0C0C0u);

  // 2-bit grey levels 0..3 scale to 0, 85, 170, 255.
  const auto low = Decode(WritePng(Image(4, 1, PNG_COLOR_TYPE_GRAY, 2, {{0x1B}})));
  ASSERT_NE(low, nullptr);
  EXPECT_EQ(PixelAt(*low, 0, 0), 0xFF000000u);
  EXPECT_EQ(PixelAt(*low, 1, 0), 0xFF555555u);
  EXPECT_EQ(PixelAt(*low, 2, 0), 0xFFAAAAAAu);
  EXPECT_EQ(PixelAt(*low, 3, 0), 0xFFFFFFFFu);

  const auto greyAlpha =
      Decode(WritePng(Image(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {{0x30, 0x90}})));
  ASSERT_NE(greyAlpha, nullptr);
  EXPECT_EQ(PixelAt(*greyAlpha, 0, 0), 0x90303030u);

  const auto grey16 = Decode(WritePng(Image(1, 1, PNG_COLOR_TYPE_GRAY, 16, {{0xAB, 0xCD}})));
  ASSERT_NE(grey16, nullptr);
  EXPECT_EQ(PixelAt(*grey16, 0, 0), 0xFFABABABu);
}

TEST(DecodePng, AColourKeyMakesMatchingPixelsTransparent)
{
  PngImage grey = Image(2, 1, PNG_COLOR_TYPE_GRAY, 8, {{0x10, 0x20}});
  grey.hasColourKey = true;
  grey.keyGrey = 0x20;
  const auto keyedGrey = Decode(WritePng(grey));
  ASSERT_NE(keyedGrey, nullptr);
  EXPECT_EQ(PixelAt(*keyedGrey, 0, 0), 0xFF101010u);
  EXPECT_EQ(PixelAt(*keyedGrey, 1, 0) >> 24, 0u);

  PngImage rgb = Image(2, 1, PNG_COLOR_TYPE_RGB, 8, {{1, 2, 3, 4, 5, 6}});
  rgb.hasColourKey = true;
  rgb.keyRed = 1;
  rgb.keyGreen = 2;
  rgb.keyBlue = 3;
  const auto keyedRgb = Decode(WritePng(rgb));
  ASSERT_NE(keyedRgb, nullptr);
  EXPECT_EQ(PixelAt(*keyedRgb, 0, 0) >> 24, 0u);
  EXPECT_EQ(PixelAt(*keyedRgb, 1, 0), 0xFF040506u);
}

TEST(DecodePng, InterlacedImagesDecodeToTheSamePixels)
{
  PngImage image = CoordinateRgbaImage(7, 5);
  const auto plain = Decode(WritePng(image));
  image.interlaced = true;
  const auto interlaced = Decode(WritePng(image));
  ASSERT_NE(plain, nullptr);
  ASSERT_NE(interlaced, nullptr);
  for (int y = 0; y < 5; ++y)
  {
    for (int x = 0; x < 7; ++x)
      EXPECT_EQ(PixelAt(*interlaced, x, y), PixelAt(*plain, x, y)) << x << "," << y;
  }
}

TEST(DecodePng, DecodesIntoAGivenBitmapOfAnyKind)
{
  const std::vector<std::uint8_t> bytes = WritePng(CoordinateRgbaImage(3, 2));
  RasterSysBitmap larger(10, 10);
  ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), larger));
  EXPECT_EQ(larger.Width(), 3);
  EXPECT_EQ(larger.Height(), 2);
  EXPECT_EQ(larger.RowSpan(), 12);
  EXPECT_EQ(PixelAt(larger, 2, 1), 0xA5503207u);

  FlippedBitmap flipped(3, 2, 0);
  ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), flipped));
  EXPECT_EQ(flipped.Stored(2, 1), 0xA5503207u);
  EXPECT_EQ(flipped.Stored(0, 0), 0xFF000007u);

  // A bitmap that cannot take the size fails the decode.
  FlippedBitmap fixed(2, 2, 0);
  EXPECT_FALSE(DecodePng(bytes.data(), bytes.size(), fixed));
}

TEST(DecodePngFailures, ShortOrForeignDataGivesNull)
{
  const std::vector<std::uint8_t> bytes = WritePng(CoordinateRgbaImage(3, 2));
  EXPECT_EQ(DecodePng(nullptr, 100), nullptr);
  EXPECT_EQ(DecodePng(bytes.data(), 7), nullptr);
  std::vector<std::uint8_t> foreign = bytes;
  foreign[1] = 'Q';
  EXPECT_EQ(Decode(foreign), nullptr);
  // Every cut through the file, from just after the signature to one byte
  // short of its end, is rejected.
  for (std::size_t size = 8; size < bytes.size(); ++size)
    EXPECT_EQ(DecodePng(bytes.data(), size), nullptr) << size;
}

TEST(DecodePngFailures, CorruptedBytesGiveNullAndAFreshDecodeStillWorks)
{
  const std::vector<std::uint8_t> bytes = WritePng(CoordinateRgbaImage(6, 6));
  RasterMemBitmap target(1, 1);
  for (std::size_t at = 8; at < bytes.size(); ++at)
  {
    std::vector<std::uint8_t> corrupt = bytes;
    corrupt[at] ^= 0x5A;
    const auto decoded = Decode(corrupt);
    // Bytes outside checked chunk data (an ancillary chunk's CRC, say) may
    // decode; whatever decodes has the image's size.
    if (decoded != nullptr)
    {
      EXPECT_EQ(decoded->Width(), 6);
      EXPECT_EQ(decoded->Height(), 6);
    }
    DecodePng(corrupt.data(), corrupt.size(), target);
  }
  const auto decoded = Decode(bytes);
  ASSERT_NE(decoded, nullptr);
  // (5, 0): red 200, green 0, blue 7, alpha 255 - 150 = 105.
  EXPECT_EQ(PixelAt(*decoded, 5, 0), 0x69C80007u);
}

// Builds a PNG chunk with its length and CRC.
void AppendChunk(std::vector<std::uint8_t>& file, const char* type,
                 const std::vector<std::uint8_t>& data)
{
  const auto put32 = [&](std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
      file.push_back(static_cast<std::uint8_t>(value >> shift));
  };
  put32(static_cast<std::uint32_t>(data.size()));
  const std::size_t start = file.size();
  file.insert(file.end(), type, type + 4);
  file.insert(file.end(), data.begin(), data.end());
  put32(static_cast<std::uint32_t>(
      crc32(0, file.data() + start, static_cast<uInt>(file.size() - start))));
}

TEST(DecodePngFailures, AnImageTooLargeForMemoryGivesNull)
{
  // A valid header for 60000 × 60000 RGBA pixels, then a scrap of image data.
  std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  AppendChunk(file, "IHDR", {0, 0, 0xEA, 0x60, 0, 0, 0xEA, 0x60, 8, 6, 0, 0, 0});
  AppendChunk(file, "IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
  AppendChunk(file, "IEND", {});
  EXPECT_EQ(Decode(file), nullptr);
  RasterSysBitmap target(4, 4);
  EXPECT_FALSE(DecodePng(file.data(), file.size(), target));
}
}  // namespace
