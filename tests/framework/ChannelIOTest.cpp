#include "framework/ChannelIO.h"
#include "TestEffect.h"

#include <gtest/gtest.h>

namespace
{
void ExpectPairs(const char* text, const std::vector<IChannelConfig>& expected)
{
  const std::vector<IChannelConfig> pairs = ParseChannelIO(text);
  ASSERT_EQ(pairs.size(), expected.size()) << text;
  for (size_t i = 0; i < pairs.size(); ++i)
  {
    EXPECT_EQ(pairs[i].inputs, expected[i].inputs) << text << " pair " << i;
    EXPECT_EQ(pairs[i].outputs, expected[i].outputs) << text << " pair " << i;
  }
}
}  // namespace

TEST(ChannelIO, ParsesPairsSeparatedBySpaces)
{
  ExpectPairs("2-2", {{2, 2}});
  ExpectPairs("1-1 2-2", {{1, 1}, {2, 2}});
  ExpectPairs("1-1  0-2", {{1, 1}, {0, 2}});
  ExpectPairs("2-2 ", {{2, 2}});
  ExpectPairs("", {{0, 0}});
  ExpectPairs(nullptr, {{0, 0}});
}

TEST(ChannelIO, UnreadableFieldsCountAsZero)
{
  ExpectPairs("x-2", {{0, 0}});
  ExpectPairs("2-x", {{2, 0}});
  // The space starts a second pair, whose first field reads as -2.
  ExpectPairs("2 -2", {{2, 0}, {0, 0}});
  ExpectPairs("-1-2", {{0, 2}});
  ExpectPairs("99999999999-1", {{INT32_MAX, 1}});
}

TEST(ChannelIO, ConstructorSizesChannelsToLargestCounts)
{
  TestEffect effect(TestEffect::Config(1, 1, "1-1 2-4"));
  EXPECT_EQ(effect.GetChannelConfigCount(), 2);
  EXPECT_EQ(effect.GetInputChannelCount(), 2);
  EXPECT_EQ(effect.GetOutputChannelCount(), 4);
  for (int i = 0; i < 4; ++i)
  {
    IOutputChannel* output = effect.GetOutputChannel(i);
    EXPECT_FALSE(output->connected);
    EXPECT_EQ(output->data, effect.GetOutputData() + i);
  }
  EXPECT_EQ(effect.GetInputChannel(2), nullptr);
  EXPECT_EQ(effect.GetChannelConfig(2), nullptr);
  EXPECT_EQ(effect.GetChannelConfig(1)->outputs, 4);
}

TEST(ChannelIO, LegalIOMatchesConfiguredPairs)
{
  TestEffect effect;
  EXPECT_TRUE(effect.LegalIO(2, 2));
  EXPECT_TRUE(effect.LegalIO(-1, 2));
  EXPECT_TRUE(effect.LegalIO(2, -1));
  EXPECT_FALSE(effect.LegalIO(1, 2));
  EXPECT_FALSE(effect.LegalIO(2, 1));
  EXPECT_FALSE(ChannelIOAllows({}, -1, -1));
}
