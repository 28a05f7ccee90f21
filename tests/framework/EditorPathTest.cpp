#include "TestEffect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(EditorPath, SetParamFromEditorSetsReportsThenNotifies)
{
  TestEffect effect;
  effect.GetParam(3)->InitDouble("Range", 0.0, 0.0, 10.0, 0.00001);
  effect.SetParamFromEditor(3, 0.5);
  EXPECT_EQ(effect.GetParam(3)->Value(), 5.0);
  EXPECT_EQ(effect.calls, (std::vector<std::string>{"edit 3", "changed 3"}));
  ASSERT_EQ(effect.hostValues.size(), 1u);
  EXPECT_EQ(effect.hostValues[0], 0.5);
}

TEST(EditorPath, HostHearsTheValueGivenNotTheRoundedOne)
{
  TestEffect effect;
  effect.GetParam(0)->InitInt("Steps", 0, 0, 10);
  effect.SetParamFromEditor(0, 0.44);
  EXPECT_EQ(effect.GetParam(0)->Value(), 4.0);
  ASSERT_EQ(effect.hostValues.size(), 1u);
  EXPECT_EQ(effect.hostValues[0], 0.44);
}

TEST(EditorPath, InvalidIndexIsIgnored)
{
  TestEffect effect;
  effect.SetParamFromEditor(22, 0.5);
  effect.SetParamFromEditor(-1, 0.5);
  EXPECT_TRUE(effect.calls.empty());
}

TEST(EditorPath, WithoutEditorEveryEditorCallIsHarmless)
{
  TestEffect effect;
  effect.InitParams();
  effect.AttachEditor(nullptr);
  effect.RefreshEditorFromParams();
  EXPECT_EQ(effect.GetEditor(), nullptr);
  effect.CaptureInitPreset();
  EXPECT_TRUE(effect.LoadPreset(0));
}

TEST(EditorPath, DefaultHooks)
{
  TestEffect effect;
  EXPECT_EQ(effect.QueryHostKind(), HostKind::NotIdentified);
  effect.SetHostKind(LookupHostKind("Reaper"), 0x00060000);
  EXPECT_EQ(effect.QueryHostKind(), HostKind::Reaper);
  EXPECT_EQ(effect.QueryPluginApi(), PluginApi::VST3);
  EXPECT_EQ(effect.GetUniqueId(), 0x50717736);

  char text[8] = "x";
  EXPECT_FALSE(effect.GetNoteText(60, text));
  EXPECT_STREQ(text, "");

  IMidiMessage message;
  message.data1 = 7;
  effect.OnMidiMessage(&message);
  ASSERT_EQ(effect.sentMidi.size(), 1u);
  EXPECT_EQ(effect.sentMidi[0].data1, 7);

  effect.NotifyAllParams();
  EXPECT_EQ(effect.changes.size(), 22u);
}

TEST(EditorPath, GroupsAreNumberedInFirstSeenOrder)
{
  TestEffect effect;
  EXPECT_EQ(effect.AddParamGroup(""), 0);
  EXPECT_EQ(effect.AddParamGroup(nullptr), 0);
  EXPECT_EQ(effect.AddParamGroup("Delay"), 1);
  EXPECT_EQ(effect.AddParamGroup("Tone"), 2);
  EXPECT_EQ(effect.AddParamGroup("Delay"), 1);
  EXPECT_EQ(effect.AddParamGroup("delay"), 3);
  EXPECT_EQ(effect.GetParamGroupCount(), 3);
  EXPECT_STREQ(effect.GetParamGroupName(1), "Tone");
  EXPECT_STREQ(effect.GetParamGroupName(3), "");
}
