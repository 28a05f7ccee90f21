#include "vst3/Vst3TextCache.h"

#include "tests/vst3/Vst3TestData.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
TEST(Vst3TextCache, WidensEachByteOnceAndKeepsEarlierConversionsValid)
{
  char text[16] = "Depth";
  const Steinberg::Vst::TChar* first = Vst3WidenCached(text);
  EXPECT_EQ(vst3test::Text(first), u"Depth");
  EXPECT_EQ(Vst3WidenCached(text), first);  // the same source address, converted once

  // New text at the same address: a fresh conversion, the old one untouched.
  std::strcpy(text, "Caf\xE9");
  const Steinberg::Vst::TChar* second = Vst3WidenCached(text);
  EXPECT_NE(second, first);
  EXPECT_EQ(vst3test::Text(second), u"Caf\u00E9");  // bytes are Latin-1, never sign-extended
  EXPECT_EQ(vst3test::Text(first), u"Depth");

  EXPECT_EQ(vst3test::Text(Vst3WidenCached(nullptr)), u"");
}

TEST(Vst3TextCache, WideningIntoAHostStringTruncatesToItsCapacity)
{
  Steinberg::Vst::TChar buffer[4] = {9, 9, 9, 9};
  Vst3WidenInto(buffer, 4, "abcdef");
  EXPECT_EQ(vst3test::Text(buffer), u"abc");
  Vst3WidenInto(buffer, 4, nullptr);
  EXPECT_EQ(buffer[0], 0);
}
}  // namespace
