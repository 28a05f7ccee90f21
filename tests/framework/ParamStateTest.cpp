#include "TestEffect.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
class ParamState : public ::testing::Test
{
protected:
  void SetUp() override
  {
    effect.InitParams();
    effect.CaptureInitPreset();
    effect.changes.clear();
  }

  // The block of little-endian doubles a chunk carries for `values`.
  static IStateChunk ChunkOf(const std::vector<double>& values)
  {
    IStateChunk chunk;
    for (double v : values)
      chunk.AppendDouble(v);
    return chunk;
  }

  TestEffect effect;
};
}  // namespace

TEST_F(ParamState, SerializesEveryValueInIndexOrder)
{
  effect.GetParam(0)->SetPlainClamped(0.125);
  IStateChunk chunk;
  ASSERT_TRUE(effect.SerializeParams(chunk));
  ASSERT_EQ(chunk.Size(), 176);
  const uint8_t first[] = {0, 0, 0, 0, 0, 0, 0xC0, 0x3F};  // 0.125
  EXPECT_EQ(std::memcmp(chunk.GetBytes(), first, 8), 0);
  for (int i = 1; i < 22; ++i)
  {
    double v = 0.0;
    chunk.ReadDouble(8 * i, v);
    EXPECT_EQ(v, (i + 1) * 0.5) << i;
  }
}

TEST_F(ParamState, SerializeAppendsAfterExistingBytes)
{
  IStateChunk chunk;
  chunk.AppendInt32(0x70666674);
  ASSERT_TRUE(effect.SerializeParams(chunk));
  EXPECT_EQ(chunk.Size(), 4 + 176);
}

TEST_F(ParamState, NoParamsSerializesNothingAndSucceeds)
{
  TestEffect empty(TestEffect::Config(0, 1));
  IStateChunk chunk;
  EXPECT_TRUE(empty.SerializeParams(chunk));
  EXPECT_EQ(chunk.Size(), 0);
}

TEST_F(ParamState, RoundTripRestoresValuesAndNotifiesAll)
{
  IStateChunk chunk;
  for (int i = 0; i < 22; ++i)
    effect.GetParam(i)->SetPlainClamped(i * 0.25);
  effect.SerializeParams(chunk);
  for (int i = 0; i < 22; ++i)
    effect.GetParam(i)->SetPlainClamped(0.0);
  effect.changes.clear();

  EXPECT_EQ(effect.UnserializeParams(chunk, 0), 176);
  for (int i = 0; i < 22; ++i)
    EXPECT_EQ(effect.GetParam(i)->Value(), i * 0.25) << i;
  ASSERT_EQ(effect.changes.size(), 22u);
  for (int i = 0; i < 22; ++i)
    EXPECT_EQ(effect.changes[static_cast<size_t>(i)], i);
}

TEST_F(ParamState, ShortChunkStopsAtFirstMissingValue)
{
  std::vector<double> values(22, 0.5);
  IStateChunk chunk = ChunkOf(values);
  effect.GetParam(21)->SetPlainClamped(3.0);
  // From position 8 only 21 values remain: parameter 21 runs out.
  EXPECT_EQ(effect.UnserializeParams(chunk, 8), -1);
  EXPECT_EQ(effect.GetParam(20)->Value(), 0.5);
  EXPECT_EQ(effect.GetParam(21)->Value(), 0.0);
  EXPECT_EQ(effect.changes.size(), 22u);
}

TEST_F(ParamState, EmptyChunkSetsFirstParamAndKeepsTheRest)
{
  TestEffect ranged;
  ranged.GetParam(0)->InitDouble("Lifted", 3.0, 2.0, 4.0, 0.00001);
  ranged.GetParam(1)->InitDouble("Low", -3.0, -4.0, -2.0, 0.00001);
  IStateChunk empty;
  EXPECT_EQ(ranged.UnserializeParams(empty, 0), -1);
  EXPECT_EQ(ranged.GetParam(0)->Value(), 2.0);  // 0 limited to min
  EXPECT_EQ(ranged.GetParam(1)->Value(), -3.0);
  EXPECT_EQ(ranged.changes.size(), 22u);

  // A range below zero: the missing value becomes max.
  IStateChunk one = ChunkOf({3.0});
  EXPECT_EQ(ranged.UnserializeParams(one, 0), -1);
  EXPECT_EQ(ranged.GetParam(0)->Value(), 3.0);
  EXPECT_EQ(ranged.GetParam(1)->Value(), -2.0);
}

TEST_F(ParamState, StoredValuesAreLimitedToRange)
{
  std::vector<double> values(22, 0.0);
  values[0] = 5.0;
  values[1] = -5.0;
  IStateChunk chunk = ChunkOf(values);
  EXPECT_EQ(effect.UnserializeParams(chunk, 0), 176);
  EXPECT_EQ(effect.GetParam(0)->Value(), 1.0);
  EXPECT_EQ(effect.GetParam(1)->Value(), 0.0);
}

TEST_F(ParamState, NegativeStartReadsNothing)
{
  IStateChunk chunk = ChunkOf(std::vector<double>(22, 0.0));
  EXPECT_EQ(effect.UnserializeParams(chunk, -1), -1);
  EXPECT_EQ(effect.GetParam(0)->Value(), 0.5);
  EXPECT_EQ(effect.changes.size(), 22u);
}

TEST_F(ParamState, StateMatchesWithinSinglePrecisionTolerance)
{
  for (int i = 0; i < 22; ++i)
    effect.GetParam(i)->SetPlainClamped(0.1);
  std::vector<double> stored(23, 0.1);
  stored[0] = 99.0;  // before the start index
  stored[5] = 0.100001;
  IStateChunk chunk = ChunkOf(stored);
  EXPECT_TRUE(effect.StateMatches(chunk.GetBytes(), 1));

  stored[22] = 0.1001;
  IStateChunk differs = ChunkOf(stored);
  EXPECT_FALSE(effect.StateMatches(differs.GetBytes(), 1));

  stored[22] = 1e300;  // beyond the float range
  IStateChunk huge = ChunkOf(stored);
  EXPECT_FALSE(effect.StateMatches(huge.GetBytes(), 1));
}
