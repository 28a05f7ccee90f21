#include "TestEffect.h"

#include <gtest/gtest.h>

namespace
{
// A plug-in whose presets count how often the slot list changed.
class CountingEffect : public TestEffect
{
public:
  using TestEffect::TestEffect;
  void OnPresetsChanged() override { ++presetChanges; }
  int presetChanges = 0;
};

double StoredValue(const IPresetSlot& slot, int index)
{
  double v = -1.0;
  slot.state.ReadDouble(8 * index, v);
  return v;
}
}  // namespace

TEST(PresetSlots, ConstructorCreatesEmptySlots)
{
  TestEffect effect(TestEffect::Config(22, 3));
  ASSERT_EQ(effect.GetPresetCount(), 3);
  for (int i = 0; i < 3; ++i)
  {
    EXPECT_STREQ(effect.GetPresetName(i), "empty");
    EXPECT_FALSE(effect.GetPresetSlot(i)->initialised);
  }
  EXPECT_STREQ(effect.GetPresetName(3), "");
  EXPECT_STREQ(effect.GetPresetName(-1), "");
  EXPECT_EQ(effect.GetPresetSlot(3), nullptr);
  EXPECT_EQ(effect.GetCurrentPreset(), 0);
}

TEST(PresetSlots, InitPresetCapturesDefaultsAndLoadsBack)
{
  CountingEffect effect;
  effect.InitParams();
  effect.CaptureInitPreset();
  const IPresetSlot& slot = *effect.GetPresetSlot(0);
  EXPECT_TRUE(slot.initialised);
  EXPECT_STREQ(slot.name, "Init");
  ASSERT_EQ(slot.state.Size(), 176);
  EXPECT_EQ(StoredValue(slot, 3), 2.0);

  effect.GetParam(3)->SetPlainClamped(0.0);
  EXPECT_TRUE(effect.LoadPreset(0));
  EXPECT_EQ(effect.GetParam(3)->Value(), 2.0);
  EXPECT_EQ(effect.presetChanges, 1);

  // Every slot taken: a second capture changes nothing.
  effect.GetParam(3)->SetPlainClamped(1.0);
  effect.CaptureInitPreset();
  EXPECT_EQ(StoredValue(*effect.GetPresetSlot(0), 3), 2.0);
}

TEST(PresetSlots, LoadingFreshSlotsNamesThemUserPresets)
{
  CountingEffect effect(TestEffect::Config(22, 3));
  effect.InitParams();
  effect.CaptureInitPreset();

  effect.GetParam(0)->SetPlainClamped(0.75);
  EXPECT_TRUE(effect.LoadPreset(1));
  EXPECT_STREQ(effect.GetPresetName(1), "user preset 1");
  EXPECT_EQ(effect.GetCurrentPreset(), 1);
  EXPECT_EQ(StoredValue(*effect.GetPresetSlot(1), 0), 0.75);

  EXPECT_TRUE(effect.LoadPreset(2));
  EXPECT_STREQ(effect.GetPresetName(2), "user preset 2");
  EXPECT_EQ(effect.presetChanges, 2);
}

TEST(PresetSlots, LoadOutOfRangeOrFailedChangesNothing)
{
  CountingEffect effect(TestEffect::Config(22, 2));
  effect.InitParams();
  effect.CaptureInitPreset();
  EXPECT_FALSE(effect.LoadPreset(2));
  EXPECT_FALSE(effect.LoadPreset(-1));
  EXPECT_EQ(effect.GetCurrentPreset(), 0);

  // An initialised slot without state cannot be read back.
  IPresetSlot& broken = *effect.GetPresetSlot(1);
  broken.initialised = true;
  EXPECT_FALSE(effect.LoadPreset(1));
  EXPECT_EQ(effect.GetCurrentPreset(), 0);
  EXPECT_EQ(effect.presetChanges, 0);
}

TEST(PresetSlots, FillEmptyPresetsOnlyTakesFreeSlots)
{
  TestEffect single;
  single.InitParams();
  single.CaptureInitPreset();
  single.FillEmptyPresets("Empty", 1);
  EXPECT_STREQ(single.GetPresetName(0), "Init");

  TestEffect several(TestEffect::Config(22, 4));
  several.InitParams();
  several.CaptureInitPreset();
  several.FillEmptyPresets(nullptr, 2);
  EXPECT_STREQ(several.GetPresetName(1), "Empty");
  EXPECT_STREQ(several.GetPresetName(2), "Empty");
  EXPECT_FALSE(several.GetPresetSlot(3)->initialised);
  EXPECT_EQ(several.GetPresetSlot(2)->state.Size(), 176);
  several.FillEmptyPresets("Blank", 10);
  EXPECT_STREQ(several.GetPresetName(3), "Blank");
}

TEST(PresetSlots, ModifyCurrentPresetReplacesStateAndOptionallyName)
{
  TestEffect effect;
  effect.InitParams();
  effect.CaptureInitPreset();
  effect.GetParam(0)->SetPlainClamped(0.25);
  effect.ModifyCurrentPreset();
  EXPECT_STREQ(effect.GetPresetName(0), "Init");
  EXPECT_EQ(effect.GetPresetSlot(0)->state.Size(), 176);
  EXPECT_EQ(StoredValue(*effect.GetPresetSlot(0), 0), 0.25);

  effect.ModifyCurrentPreset("");
  EXPECT_STREQ(effect.GetPresetName(0), "Init");
  effect.ModifyCurrentPreset("Lush");
  EXPECT_STREQ(effect.GetPresetName(0), "Lush");
  EXPECT_TRUE(effect.GetPresetSlot(0)->initialised);
}
