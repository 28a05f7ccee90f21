#include "raster/RasterUtf8.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
struct Decoded
{
  int used;
  std::uint16_t code;
};

Decoded DecodeBytes(const std::vector<unsigned char>& bytes, int available = -1)
{
  std::uint16_t code = 0xFFFF;
  const int used = Utf8Decode(reinterpret_cast<const char*>(bytes.data()), code, available);
  return {used, code};
}

TEST(Utf8Decode, DecodesOneToThreeByteSequences)
{
  EXPECT_EQ(DecodeBytes({'A', 0}).used, 1);
  EXPECT_EQ(DecodeBytes({'A', 0}).code, 'A');
  // é
  EXPECT_EQ(DecodeBytes({0xC3, 0xA9, 0}).used, 2);
  EXPECT_EQ(DecodeBytes({0xC3, 0xA9, 0}).code, 0xE9);
  // €, U+20AC
  EXPECT_EQ(DecodeBytes({0xE2, 0x82, 0xAC, 0}).used, 3);
  EXPECT_EQ(DecodeBytes({0xE2, 0x82, 0xAC, 0}).code, 0x20AC);
  // The largest two-byte code, U+07FF, and the largest BMP code, U+FFFF.
  EXPECT_EQ(DecodeBytes({0xDF, 0xBF, 0}).code, 0x7FF);
  EXPECT_EQ(DecodeBytes({0xEF, 0xBF, 0xBF, 0}).code, 0xFFFF);
}

TEST(Utf8Decode, FourByteSequencesBecomeASpace)
{
  // 😀, U+1F600
  const Decoded emoji = DecodeBytes({0xF0, 0x9F, 0x98, 0x80, 0});
  EXPECT_EQ(emoji.used, 4);
  EXPECT_EQ(emoji.code, 32);
  EXPECT_EQ(DecodeBytes({0xF4, 0x8F, 0xBF, 0xBF, 0}).code, 32);
}

TEST(Utf8Decode, InvalidBytesStandForThemselves)
{
  // A stray continuation byte, the overlong leads C0 and C1, and leads above F4.
  for (const unsigned char lead : {0x80, 0xBF, 0xC0, 0xC1, 0xF5, 0xF8, 0xFF})
  {
    const Decoded decoded = DecodeBytes({lead, 0xAF, 0xAF, 0xAF, 0});
    EXPECT_EQ(decoded.used, 1) << int{lead};
    EXPECT_EQ(decoded.code, lead) << int{lead};
  }
  // A lead followed by something other than continuation bytes.
  EXPECT_EQ(DecodeBytes({0xC3, 'A', 0}).used, 1);
  EXPECT_EQ(DecodeBytes({0xE2, 0x82, 'A', 0}).used, 1);
  EXPECT_EQ(DecodeBytes({0xF0, 0x9F, 0x98, 0xC3, 0}).code, 0xF0);
}

TEST(Utf8Decode, IncompleteSequencesStopAtTheNulOrTheLength)
{
  const Decoded lone = DecodeBytes({0xC3, 0});
  EXPECT_EQ(lone.used, 1);
  EXPECT_EQ(lone.code, 0xC3);
  EXPECT_EQ(DecodeBytes({0xE2, 0x82, 0}).used, 1);
  EXPECT_EQ(DecodeBytes({0xF0, 0x9F, 0x98, 0}).used, 1);

  // With a length the bytes beyond it are never read: the sanitizer build
  // checks these buffers hold exactly the given bytes.
  const std::vector<unsigned char> two = {0xE2, 0x82};
  const Decoded cut = DecodeBytes(two, 2);
  EXPECT_EQ(cut.used, 1);
  EXPECT_EQ(cut.code, 0xE2);
  const std::vector<unsigned char> one = {0xC3};
  EXPECT_EQ(DecodeBytes(one, 1).code, 0xC3);
  const std::vector<unsigned char> whole = {0xC3, 0xA9};
  EXPECT_EQ(DecodeBytes(whole, 2).code, 0xE9);
  const std::vector<unsigned char> three = {0xF0, 0x9F, 0x98};
  EXPECT_EQ(DecodeBytes(three, 3).used, 1);
}

TEST(Utf8Decode, OverlongThreeByteFormsDecodeToTheirValue)
{
  // Three-byte overlong forms are decoded arithmetically, as written; the
  // renderer treats the result like any other code.
  EXPECT_EQ(DecodeBytes({0xE0, 0x81, 0x81, 0}).code, 0x41);
  EXPECT_EQ(DecodeBytes({0xE0, 0x80, 0x80, 0}).code, 0);
  EXPECT_EQ(DecodeBytes({0xED, 0xA0, 0x80, 0}).code, 0xD800);
}
}  // namespace
