#include "TestEditor.h"

#include "graphics/IKnobMultiControl.h"
#include "graphics/IPanelControl.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

constexpr IRectangle kKnobRect{100, 100, 140, 140};

struct KnobEditor : TestEditor
{
  explicit KnobEditor(PluginApi api = PluginApi::VST2) : TestEditor(api)
  {
    knob = Add<IKnobMultiControl>(kKnobRect, 2, images.Strip(7, 40, 40, 99));
  }
  IKnobMultiControl* knob;
};

IMouseModifiers With(bool shift, bool control)
{
  IMouseModifiers modifiers = LeftButton();
  modifiers.shift = shift;
  modifiers.control = control;
  return modifiers;
}

}  // namespace

TEST(KnobFrames, NinetyNineFrameStripShowsTheRoundedFrame)
{
  struct Case
  {
    double value;
    int frame;
  };
  for (const Case c : {Case{0.0, 1}, Case{0.004, 1}, Case{0.006, 2}, Case{0.5, 50}, Case{1.0, 99}})
  {
    KnobEditor editor;
    editor.Attach();
    editor.graphics->ApplyParameterFromPlugin(2, c.value, true);
    editor.DrawAll();
    EXPECT_EQ(editor.DrawnPixel(120, 120), FramePixel(7, c.frame)) << "value " << c.value;
    EXPECT_EQ(editor.DrawnPixel(100, 100), FramePixel(7, c.frame)) << "value " << c.value;
    EXPECT_EQ(editor.DrawnPixel(139, 139), FramePixel(7, c.frame)) << "value " << c.value;
  }
}

TEST(KnobFrames, FrameRuleLimitsToTheStrip)
{
  TestImages images;
  const IBitmapStrip strip = images.Strip(1, 40, 40, 99);
  EXPECT_EQ(strip.FrameForValue(-0.5), 1);
  EXPECT_EQ(strip.FrameForValue(1.7), 99);
  EXPECT_EQ(strip.FrameForValue(std::nan("")), 1);
  EXPECT_EQ(strip.FrameOffset(1), 0);
  EXPECT_EQ(strip.FrameOffset(99), 3920);
  const IBitmapStrip single = images.Strip(2, 20, 25, 1);
  EXPECT_EQ(single.FrameForValue(0.9), 1);
}

TEST(KnobDrag, UpwardTravelOfGearingTimesHeightCoversTheRange)
{
  KnobEditor editor;
  editor.Attach();
  ASSERT_DOUBLE_EQ(editor.knob->GetValue(), 0.5);

  editor.graphics->OnMouseDown(120, 120, LeftButton());
  editor.graphics->MoveMouse(120, 110, LeftButton());  // 10 px up: 10 / 40 / 4
  editor.graphics->MoveMouse(120, 110, LeftButton());  // no movement, no change
  editor.graphics->MoveMouse(120, 130, LeftButton());  // 20 px down
  editor.graphics->OnMouseUp(120, 130, LeftButton());

  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 2", "set 2 0.5625", "set 2 0.4375", "end 2"}));
  EXPECT_DOUBLE_EQ(editor.plugin.GetParam(2)->Value(), 4.375);
}

TEST(KnobDrag, ShiftOrControlIsTenTimesFiner)
{
  for (const IMouseModifiers modifiers : {With(true, false), With(false, true)})
  {
    KnobEditor editor;
    editor.Attach();
    editor.graphics->OnMouseDown(120, 120, modifiers);
    editor.graphics->OnMouseDrag(120, 104, 0, -16, modifiers);
    editor.graphics->OnMouseUp(120, 104, modifiers);
    ASSERT_EQ(editor.plugin.sent.size(), 1u);
    EXPECT_DOUBLE_EQ(editor.plugin.sent[0], 0.5 + 16.0 / 40.0 / 40.0);
  }
}

TEST(KnobDrag, GearingAndDirectionComeFromTheKnob)
{
  TestEditor editor;
  auto* knob =
      editor.Add<IKnobMultiControl>(IRectangle{0, 0, 50, 20}, 1, editor.images.Strip(1, 50, 20, 3),
                                    IBlend{}, IKnobDirection::Horizontal, 2.0);
  editor.Attach();
  editor.graphics->OnMouseDown(10, 10, LeftButton());
  editor.graphics->OnMouseDrag(30, 2, 20, -8, LeftButton());  // only dx counts
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.5 + 20.0 / 50.0 / 2.0);
}

TEST(KnobDrag, PastTheTopClampsAndStillNotifiesEveryMove)
{
  KnobEditor editor;
  editor.Attach();
  editor.graphics->OnMouseDown(120, 120, LeftButton());
  for (int y = 40; y >= 0; y -= 20)
    editor.graphics->MoveMouse(120, y, LeftButton());
  EXPECT_EQ(editor.plugin.sent, (std::vector<double>{1.0, 1.0, 1.0}));
  EXPECT_DOUBLE_EQ(editor.plugin.GetParam(2)->Value(), 10.0);
}

TEST(KnobDrag, KnobWithoutHeightDoesNotMove)
{
  TestEditor editor;
  auto* knob = editor.Add<IKnobMultiControl>(IRectangle{10, 10, 50, 10}, 1,
                                             editor.images.Strip(1, 40, 1, 2));
  editor.Attach();
  knob->OnMouseDrag(20, 5, 0, -5, LeftButton());
  knob->OnMouseDrag(20, 5, 0, 0, LeftButton());
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.5);
  EXPECT_TRUE(editor.plugin.sent.empty());
}

TEST(KnobWheel, StepsAreHundredthsOrThousandthsAndClamp)
{
  KnobEditor editor;
  editor.Attach();
  editor.knob->ApplyPluginValue(0.005);
  editor.graphics->OnMouseWheel(120, 120, IMouseModifiers{}, -1);
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.0);
  editor.graphics->OnMouseWheel(120, 120, With(false, true), 3);
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.003);
  editor.graphics->OnMouseWheel(120, 120, IMouseModifiers{}, 2);
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.023);
  // Each wheel change is a host edit of its own.
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 2", "set 2 0", "end 2", "begin 2", "set 2 0.003",
                                        "end 2", "begin 2", "set 2 0.023", "end 2"}));
}

TEST(KnobWheel, WheelDuringAPressStaysInThePressEdit)
{
  KnobEditor editor;
  editor.Attach();
  editor.graphics->OnMouseDown(120, 120, LeftButton());
  editor.graphics->OnMouseWheel(300, 300, IMouseModifiers{}, 1);  // goes to the captured knob
  editor.graphics->OnMouseUp(120, 120, LeftButton());
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 2", "set 2 0.51", "end 2"}));
}

TEST(KnobDoubleClick, ReturnsToTheFirstValueThePluginGave)
{
  KnobEditor editor;
  editor.plugin.GetParam(2)->SetPlainClamped(2.0);
  editor.Attach();
  editor.knob->ApplyPluginValue(0.9);
  EXPECT_DOUBLE_EQ(editor.knob->GetDefaultValue(), 0.2);

  EXPECT_FALSE(editor.graphics->OnMouseDoubleClick(120, 120, LeftButton()));
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.2);
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 2", "set 2 0.2", "end 2"}));
}

TEST(KnobDoubleClick, WithoutADefaultNothingHappens)
{
  TestEditor editor;
  // Parameter 20 does not exist, so the plug-in never pushes a value.
  auto* knob = editor.Add<IKnobMultiControl>(kKnobRect, 20, editor.images.Strip(1, 40, 40, 99));
  editor.Attach();
  ASSERT_DOUBLE_EQ(knob->GetDefaultValue(), -1.0);
  knob->SetValue(0.7);
  editor.graphics->OnMouseDoubleClick(120, 120, LeftButton());
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.7);
  EXPECT_TRUE(editor.plugin.sent.empty());
}

TEST(KnobGreyed, DrawsAtAQuarterWeightAndTakesNoPress)
{
  TestEditor editor;
  editor.Add<IPanelControl>(IRectangle{0, 0, 500, 480}, IColour{255, 0, 0, 0});
  editor.AddRecording("below", {0, 0, 500, 480});
  auto* knob = editor.Add<IKnobMultiControl>(kKnobRect, 2, editor.images.Strip(7, 40, 40, 99));
  editor.Attach();
  knob->SetGreyed(true);
  EXPECT_FLOAT_EQ(knob->GetBlend().weight, 0.25f);

  // Frame 50 (blue 50, green 7) over opaque black at weight 64/256:
  // d = s + (d - s) * (256 - 64) / 256 per channel, alpha stays 255.
  editor.DrawAll();
  EXPECT_EQ(editor.DrawnPixel(120, 120), 0xFF00020Du);

  editor.log.clear();
  editor.graphics->OnMouseDown(120, 120, LeftButton());
  editor.graphics->OnMouseUp(120, 120, LeftButton());
  EXPECT_EQ(editor.log, (Calls{"down below", "up below"}));
  EXPECT_TRUE(editor.plugin.calls.empty());

  knob->SetGreyed(false);
  EXPECT_FLOAT_EQ(knob->GetBlend().weight, 1.0f);
  editor.DrawAll();
  EXPECT_EQ(editor.DrawnPixel(120, 120), FramePixel(7, 50));
}
