// The row function of the full-weight copy weighted by source alpha against
// the per-pixel formula, SourceAlphaCopy at w = 256, through BlitBitmap.
#include "raster/RasterBlit.h"
#include "raster/RasterSourceAlphaBlend.h"

#include "tests/raster/RasterTestBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace
{
constexpr BlendMode kWeightedCopy = kBlendSourceAlpha | kBlendCopy;

std::uint32_t Expected(std::uint32_t source, std::uint32_t destination)
{
  return SourceAlphaCopy(source, destination, 256);
}

// A source pixel of alpha `alpha` whose three colours all run through 0..255
// as `value` does, each in its own order.
std::uint32_t SourceOf(int alpha, int value)
{
  const auto v = static_cast<std::uint32_t>(value);
  return static_cast<std::uint32_t>(alpha) << 24 | ((v * 7u) & 0xFFu) << 16 | (255u - v) << 8 | v;
}

// A destination pixel whose four channels all run through 0..255 with `value`.
std::uint32_t DestinationOf(int value)
{
  const auto v = static_cast<std::uint32_t>(value);
  return v << 24 | (255u - v) << 16 | (v ^ 0x55u) << 8 | v;
}

// Blits a 256 × 256 source made by `sourceAt(x, y)` onto every destination
// value in turn, which covers every (source alpha, source channel,
// destination channel) combination in each channel, and counts the pixels
// that differ from the formula.
template <class SourceAt>
void ExpectEveryCombination(SourceAt sourceAt)
{
  RasterMemBitmap source(256, 256);
  for (int y = 0; y < 256; ++y)
  {
    for (int x = 0; x < 256; ++x)
      SetPixel(source, x, y, sourceAt(x, y));
  }
  for (int value = 0; value < 256; ++value)
  {
    const std::uint32_t before = DestinationOf(value);
    const auto destination = FilledBitmap(256, 256, before);
    BlitBitmap(destination.get(), &source, 0, 0, nullptr, 1.0f, kWeightedCopy);
    int wrong = 0;
    for (int y = 0; y < 256; ++y)
    {
      for (int x = 0; x < 256; ++x)
      {
        const std::uint32_t expected = Expected(PixelAt(source, x, y), before);
        const std::uint32_t actual = PixelAt(*destination, x, y);
        if (actual != expected && wrong++ == 0)
          ADD_FAILURE() << std::hex << "source " << PixelAt(source, x, y) << " over " << before
                        << ": " << actual << " instead of " << expected;
      }
    }
    ASSERT_EQ(wrong, 0) << "destination value " << value;
  }
}

TEST(SourceAlphaCopyRow, MatchesTheFormulaWhereAlphaIsConstantAlongTheRow)
{
  ExpectEveryCombination([](int x, int y) { return SourceOf(y, x); });
}

TEST(SourceAlphaCopyRow, MatchesTheFormulaWhereAlphaChangesEveryPixel)
{
  // Groups of four neighbours mix transparent, partial and opaque pixels at
  // both ends of the alpha range.
  ExpectEveryCombination([](int x, int y) { return SourceOf(x, y); });
}

// Random pixels whose alpha is mostly 0 or 255, in runs, as in artwork.
std::vector<std::uint32_t> ArtworkPixels(std::mt19937& random, std::size_t count)
{
  const auto next = [&random] { return static_cast<std::uint32_t>(random()); };
  std::vector<std::uint32_t> pixels(count);
  std::uint32_t alpha = 0;
  for (auto& pixel : pixels)
  {
    if (next() % 5 == 0)
    {
      const std::uint32_t kinds[] = {0u, 255u, 1u, 254u, next() & 0xFFu};
      alpha = kinds[next() % 5];
    }
    pixel = alpha << 24 | (next() & 0xFFFFFFu);
  }
  return pixels;
}

TEST(SourceAlphaCopyRow, CoversEveryRowLengthAndOffsetAndLeavesTheRestAlone)
{
  std::mt19937 random(20240611);
  for (int width = 1; width <= 19; ++width)
  {
    for (int offset = 0; offset < 4; ++offset)
    {
      RasterMemBitmap source(width + 5, 3);
      RasterMemBitmap destination(width + 6, 4);
      const auto sourcePixels =
          ArtworkPixels(random, static_cast<std::size_t>(source.RowSpan()) * 3);
      const auto destinationPixels =
          ArtworkPixels(random, static_cast<std::size_t>(destination.RowSpan()) * 4);
      std::copy(sourcePixels.begin(), sourcePixels.end(), source.Bits());
      std::copy(destinationPixels.begin(), destinationPixels.end(), destination.Bits());

      // The source starts at column `offset` and lands at column 3 - offset.
      const int x0 = 3 - offset;
      const RasterRect rect{offset, 0, offset + width, 3};
      BlitBitmap(&destination, &source, x0, 1, &rect, 1.0f, kWeightedCopy);

      for (int y = 0; y < 4; ++y)
      {
        for (int x = 0; x < destination.RowSpan(); ++x)
        {
          const std::uint32_t before =
              destinationPixels[static_cast<std::size_t>(y) * destination.RowSpan() + x];
          const int sx = offset + x - x0;
          const bool covered = y >= 1 && x >= x0 && x < x0 + width;
          const std::uint32_t expected =
              covered ? Expected(PixelAt(source, sx, y - 1), before) : before;
          ASSERT_EQ(PixelAt(destination, x, y), expected)
              << "width " << width << " offset " << offset << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(SourceAlphaCopyRow, BottomUpBitmapsBlendRowByRow)
{
  FlippedBitmap destination(9, 3, 0x80406080u);
  RasterMemBitmap source(9, 3);
  for (int y = 0; y < 3; ++y)
  {
    for (int x = 0; x < 9; ++x)
      SetPixel(source, x, y, SourceOf(x * 31 + y, x * 17 + y * 5));
  }
  BlitBitmap(&destination, &source, 0, 0, nullptr, 1.0f, kWeightedCopy);
  for (int y = 0; y < 3; ++y)
  {
    for (int x = 0; x < 9; ++x)
      EXPECT_EQ(destination.Stored(x, y), Expected(PixelAt(source, x, y), 0x80406080u))
          << x << "," << y;
  }
}

// What a bitmap blitted onto itself holds when every pixel is read and then
// written, one at a time, in the given column order.
std::vector<std::uint32_t> PixelByPixel(std::vector<std::uint32_t> row, int from, int to, int count,
                                        bool forward)
{
  for (int i = 0; i < count; ++i)
  {
    const int column = forward ? i : count - 1 - i;
    row[to + column] = Expected(row[from + column], row[to + column]);
  }
  return row;
}

TEST(SourceAlphaCopyRow, ABitmapBlittedOntoItselfAlongItsRowReadsBeforeItWrites)
{
  std::mt19937 random(7);
  const int width = 24;
  for (int shift = -6; shift <= 6; ++shift)
  {
    RasterMemBitmap strip(width, 1);
    const auto pixels = ArtworkPixels(random, width);
    std::copy(pixels.begin(), pixels.end(), strip.Bits());
    const int from = shift < 0 ? -shift : 0;
    const int to = shift < 0 ? 0 : shift;
    const int count = width - (shift < 0 ? -shift : shift);

    const RasterRect rect{from, 0, from + count, 1};
    BlitBitmap(&strip, &strip, to, 0, &rect, 1.0f, kWeightedCopy);
    // Leftward walks forward; rightward walks backward.
    const auto expected = PixelByPixel(pixels, from, to, count, shift <= 0);
    for (int x = 0; x < width; ++x)
      ASSERT_EQ(PixelAt(strip, x, 0), expected[x]) << "shift " << shift << " at " << x;
  }
}
}  // namespace
