#include "TestEffect.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
// Writes one bank record by hand, as a host or a damaged file might.
void AppendRecord(IStateChunk& chunk, int32_t length, const std::string& name, int flag = -1)
{
  chunk.AppendInt32(length);
  chunk.AppendBytes(name.data(), static_cast<int32_t>(name.size()));
  if (flag >= 0)
    chunk.AppendByte(static_cast<uint8_t>(flag));
}

void AppendParams(IStateChunk& chunk, double value, int count = 22)
{
  for (int i = 0; i < count; ++i)
    chunk.AppendDouble(value);
}

class PresetBank : public ::testing::Test
{
protected:
  explicit PresetBank(int slots = 1) : effect(TestEffect::Config(22, slots))
  {
    effect.InitParams();
    effect.CaptureInitPreset();
  }

  TestEffect effect;
};

class TwoSlotBank : public PresetBank
{
protected:
  TwoSlotBank() : PresetBank(2) {}
};
}  // namespace

TEST_F(PresetBank, InitSlotSerialisesAs185Bytes)
{
  IStateChunk chunk;
  ASSERT_TRUE(effect.SerializePresets(chunk));
  ASSERT_EQ(chunk.Size(), 185);
  const uint8_t head[] = {4, 0, 0, 0, 'I', 'n', 'i', 't', 1};
  EXPECT_EQ(std::memcmp(chunk.GetBytes(), head, sizeof head), 0);
  IStateChunk params;
  effect.SerializeParams(params);
  EXPECT_EQ(std::memcmp(chunk.GetBytes() + 9, params.GetBytes(), 176), 0);
}

TEST_F(TwoSlotBank, UninitialisedSlotHasNoState)
{
  IStateChunk chunk;
  ASSERT_TRUE(effect.SerializePresets(chunk));
  // "Init" record, then "empty": length, five letters, flag 0.
  ASSERT_EQ(chunk.Size(), 185 + 4 + 5 + 1);
  EXPECT_EQ(chunk.GetBytes()[185 + 4 + 5], 0);
}

TEST_F(TwoSlotBank, RoundTripRestoresNamesAndStates)
{
  effect.GetParam(0)->SetPlainClamped(0.25);
  effect.LoadPreset(1);  // "user preset 1" holding 0.25
  effect.LoadPreset(0);
  IStateChunk bank;
  ASSERT_TRUE(effect.SerializePresets(bank));

  TestEffect other(TestEffect::Config(22, 2));
  other.InitParams();
  EXPECT_EQ(other.UnserializePresets(bank, 0), bank.Size());
  EXPECT_STREQ(other.GetPresetName(0), "Init");
  EXPECT_STREQ(other.GetPresetName(1), "user preset 1");
  EXPECT_TRUE(other.GetPresetSlot(1)->initialised);
  // The current preset (0) is loaded again at the end.
  EXPECT_EQ(other.GetParam(0)->Value(), 0.5);
  ASSERT_TRUE(other.LoadPreset(1));
  EXPECT_EQ(other.GetParam(0)->Value(), 0.25);
}

TEST_F(PresetBank, StoredStateIsRecapturedClamped)
{
  IStateChunk bank;
  AppendRecord(bank, 3, "Hot", 1);
  AppendParams(bank, 9.0);
  EXPECT_EQ(effect.UnserializePresets(bank, 0), bank.Size());
  double stored = 0.0;
  effect.GetPresetSlot(0)->state.ReadDouble(0, stored);
  EXPECT_EQ(stored, 1.0);
  EXPECT_STREQ(effect.GetPresetName(0), "Hot");
}

TEST_F(TwoSlotBank, EmptyOrNegativeLengthReusesPreviousName)
{
  IStateChunk bank;
  AppendRecord(bank, 0, "", 1);  // first slot: no previous name, so empty
  AppendParams(bank, 0.0);
  AppendRecord(bank, -5, "", 0);
  EXPECT_EQ(effect.UnserializePresets(bank, 0), bank.Size());
  EXPECT_STREQ(effect.GetPresetName(0), "");
  EXPECT_STREQ(effect.GetPresetName(1), "");

  IStateChunk named;
  AppendRecord(named, 4, "Wide", 1);
  AppendParams(named, 0.0);
  AppendRecord(named, INT32_MIN, "", 0);
  EXPECT_EQ(effect.UnserializePresets(named, 0), named.Size());
  EXPECT_STREQ(effect.GetPresetName(0), "Wide");
  EXPECT_STREQ(effect.GetPresetName(1), "Wide");
  EXPECT_FALSE(effect.GetPresetSlot(1)->initialised);
}

TEST_F(TwoSlotBank, UninitialisedCurrentSlotBecomesUserPreset)
{
  IStateChunk bank;
  AppendRecord(bank, 4, "Gone", 0);
  AppendRecord(bank, 4, "Next", 0);
  EXPECT_EQ(effect.UnserializePresets(bank, 0), bank.Size());
  // Loading the current slot at the end initialises it with the live values.
  EXPECT_STREQ(effect.GetPresetName(0), "user preset 1");
  EXPECT_TRUE(effect.GetPresetSlot(0)->initialised);
  EXPECT_STREQ(effect.GetPresetName(1), "Next");
}

TEST_F(TwoSlotBank, HugeOrTruncatedNameStopsWithoutReading)
{
  IStateChunk huge;
  AppendRecord(huge, INT32_MAX, "Ab", 1);
  EXPECT_EQ(effect.UnserializePresets(huge, 0), -1);
  EXPECT_STREQ(effect.GetPresetName(0), "Init");

  IStateChunk truncated;
  AppendRecord(truncated, 10, "Short");
  EXPECT_EQ(effect.UnserializePresets(truncated, 0), -1);
  EXPECT_STREQ(effect.GetPresetName(0), "Init");

  IStateChunk noFlag;
  AppendRecord(noFlag, 4, "Flag");
  EXPECT_EQ(effect.UnserializePresets(noFlag, 0), -1);
  EXPECT_STREQ(effect.GetPresetName(0), "Init");
  EXPECT_TRUE(effect.GetPresetSlot(0)->initialised);

  IStateChunk lengthCut;
  lengthCut.AppendByte(4);
  lengthCut.AppendByte(0);
  EXPECT_EQ(effect.UnserializePresets(lengthCut, 0), -1);
  EXPECT_EQ(effect.UnserializePresets(lengthCut, 5000), -1);
}

TEST_F(TwoSlotBank, NameIsCutAtNulAndAtSlotSize)
{
  IStateChunk bank;
  AppendRecord(bank, 6, std::string("Ab\0cde", 6), 1);
  AppendParams(bank, 0.0);
  const std::string longName(300, 'x');
  AppendRecord(bank, 300, longName, 0);
  EXPECT_EQ(effect.UnserializePresets(bank, 0), bank.Size());
  EXPECT_STREQ(effect.GetPresetName(0), "Ab");
  EXPECT_EQ(std::string(effect.GetPresetName(1)), std::string(255, 'x'));
}

TEST_F(PresetBank, ShortStateInsideBankFails)
{
  effect.GetParam(0)->SetPlainClamped(0.75);
  IStateChunk bank;
  AppendRecord(bank, 4, "Half", 1);
  AppendParams(bank, 0.0, 10);
  EXPECT_EQ(effect.UnserializePresets(bank, 0), -1);
  EXPECT_STREQ(effect.GetPresetName(0), "Half");
  // The slot kept its state, and loading it at the end undid the partial read.
  EXPECT_EQ(effect.GetParam(0)->Value(), 0.5);
}
