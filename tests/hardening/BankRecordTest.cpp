// A bank whose record is cut short inside its state: the slot the record
// names is initialised, so it must hold a whole state afterwards, or the next
// bank the plug-in writes carries an initialised record without its state,
// which reads back as garbage.
#include "tests/framework/TestEffect.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
constexpr int kParams = 22;

void AppendRecord(IStateChunk& chunk, const char* name, bool initialised)
{
  const int32_t length = static_cast<int32_t>(std::strlen(name));
  chunk.AppendInt32(length);
  chunk.AppendBytes(name, length);
  chunk.AppendByte(initialised ? 1 : 0);
}

// A two-slot effect whose second slot was never captured, reading a bank
// whose second record is initialised but stops after three values.
class CutBank : public ::testing::Test
{
protected:
  CutBank()
  {
    effect.InitParams();
    effect.CaptureInitPreset();
    AppendRecord(cut, "Init", true);
    effect.WriteState(cut);
    AppendRecord(cut, "Cut", true);
    for (int i = 0; i < 3; ++i)
      cut.AppendDouble(0.25);
  }

  TestEffect effect{TestEffect::Config(kParams, 2)};
  IStateChunk cut;
};

TEST_F(CutBank, IsReportedAsIncomplete)
{
  EXPECT_EQ(effect.UnserializePresets(cut, 0), -1);
}

TEST_F(CutBank, LeavesTheSlotAWholeState)
{
  effect.UnserializePresets(cut, 0);
  ASSERT_TRUE(effect.GetPresetSlot(1)->initialised);
  EXPECT_EQ(effect.GetPresetSlot(1)->state.Size(), kParams * 8);
}

TEST_F(CutBank, WritesABankThatReadsBackWhole)
{
  effect.UnserializePresets(cut, 0);
  IStateChunk written;
  ASSERT_TRUE(effect.SerializePresets(written));

  TestEffect restored(TestEffect::Config(kParams, 2));
  restored.InitParams();
  EXPECT_EQ(restored.UnserializePresets(written, 0), written.Size());
  IStateChunk again;
  ASSERT_TRUE(restored.SerializePresets(again));
  ASSERT_EQ(again.Size(), written.Size());
  EXPECT_EQ(std::memcmp(again.GetBytes(), written.GetBytes(), static_cast<size_t>(written.Size())),
            0);
}

TEST_F(CutBank, ProgramLoadsWithoutResettingAParameter)
{
  effect.UnserializePresets(cut, 0);
  effect.GetParam(0)->SetPlainClamped(0.75);
  ASSERT_TRUE(effect.LoadPreset(1));
  EXPECT_NE(effect.GetParam(0)->Value(), 0.0);
}
}  // namespace
