#include "TestEditor.h"

#include "graphics/IKnobMultiControl.h"
#include "graphics/ISwitchControl.h"

#include <gtest/gtest.h>

TEST(HitTesting, OverlapGoesToTheHigherIndex)
{
  TestEditor editor;
  editor.AddRecording("low", {0, 0, 100, 100});
  editor.AddRecording("high", {50, 50, 150, 150});
  editor.Attach();
  editor.graphics->OnMouseDown(60, 60, LeftButton());
  editor.graphics->OnMouseUp(60, 60, LeftButton());
  editor.graphics->OnMouseDown(10, 10, LeftButton());
  editor.graphics->OnMouseUp(10, 10, LeftButton());
  EXPECT_EQ(editor.log, (Calls{"down high", "up high", "down low", "up low"}));
}

TEST(HitTesting, HiddenAndGreyedControlsLetThePressThrough)
{
  TestEditor editor;
  editor.AddRecording("low", {0, 0, 100, 100});
  RecordingControl* top = editor.AddRecording("top", {0, 0, 100, 100});
  editor.Attach();

  top->SetHidden(true);
  editor.graphics->OnMouseDown(5, 5, LeftButton());
  editor.graphics->OnMouseDoubleClick(5, 5, LeftButton());
  editor.graphics->OnMouseWheel(5, 5, IMouseModifiers{}, 1);
  top->SetHidden(false);
  top->SetGreyed(true);
  editor.graphics->OnMouseDown(5, 5, LeftButton());
  EXPECT_EQ(editor.log, (Calls{"down low", "dbl low", "wheel 1 low", "down low"}));
}

TEST(HitTesting, TargetRectangleDecidesWhereAControlIsHit)
{
  TestEditor editor;
  RecordingControl* control = editor.AddRecording("c", {0, 0, 10, 10});
  control->SetTargetRect({100, 100, 110, 110});
  editor.Attach();
  editor.graphics->OnMouseDown(5, 5, LeftButton());
  editor.graphics->OnMouseDown(105, 105, LeftButton());
  // Right and bottom edges are outside.
  editor.graphics->OnMouseDown(110, 105, LeftButton());
  EXPECT_EQ(editor.log, (Calls{"down c"}));
}

TEST(HitTesting, PressOutsideEveryControlIsIgnored)
{
  TestEditor editor;
  editor.AddRecording("c", {0, 0, 10, 10}, 1);
  editor.Attach();
  editor.graphics->OnMouseDown(200, 200, LeftButton());
  EXPECT_EQ(editor.graphics->GetMouseCapture(), -1);
  EXPECT_EQ(editor.graphics->GetLastMouseX(), -1);
  editor.graphics->OnMouseUp(200, 200, LeftButton());
  EXPECT_TRUE(editor.log.empty());
  EXPECT_TRUE(editor.plugin.calls.empty());
}

TEST(PressAndRelease, BoundPressIsOneHostEditAndTheCaptureFollowsTheMouse)
{
  TestEditor editor;
  editor.AddRecording("a", {0, 0, 100, 100}, 3);
  editor.AddRecording("b", {200, 0, 300, 100}, 4);
  editor.Attach();
  editor.graphics->OnMouseDown(10, 10, LeftButton());
  EXPECT_EQ(editor.graphics->GetMouseCapture(), 0);
  EXPECT_EQ(editor.graphics->GetLastMouseX(), 10);
  editor.graphics->MoveMouse(250, 20, LeftButton());
  // Released over b, but a holds the capture.
  editor.graphics->OnMouseUp(250, 20, LeftButton());
  EXPECT_EQ(editor.log, (Calls{"down a", "drag 240 10 a", "up a"}));
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 3", "end 3"}));
  EXPECT_EQ(editor.graphics->GetMouseCapture(), -1);
  EXPECT_EQ(editor.graphics->GetLastMouseY(), -1);
}

TEST(PressAndRelease, ReleaseWithoutAPressEndsNoEdit)
{
  TestEditor editor;
  editor.AddRecording("a", {0, 0, 100, 100}, 3);
  editor.Attach();
  editor.graphics->OnMouseUp(10, 10, LeftButton());
  EXPECT_EQ(editor.log, (Calls{"up a"}));
  EXPECT_TRUE(editor.plugin.calls.empty());
}

TEST(PressAndRelease, SecondPressWithoutReleaseClosesTheFirstEdit)
{
  TestEditor editor;
  editor.AddRecording("a", {0, 0, 100, 100}, 3);
  editor.AddRecording("b", {200, 0, 300, 100}, 4);
  editor.Attach();
  editor.graphics->OnMouseDown(10, 10, LeftButton());
  editor.graphics->OnMouseDown(210, 10, LeftButton());
  editor.graphics->OnMouseUp(210, 10, LeftButton());
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 3", "end 3", "begin 4", "end 4"}));
}

TEST(RightButton, Vst3HostShowsItsParameterMenuInsteadOfTheKnob)
{
  TestEditor editor(PluginApi::VST3);
  editor.AddRecording("knob", {100, 100, 140, 140}, 2);
  editor.Attach();
  editor.graphics->OnMouseDown(120, 130, RightButton());
  EXPECT_EQ(editor.graphics->GetMouseCapture(), -1);
  editor.graphics->OnMouseUp(120, 130, RightButton());
  EXPECT_EQ(editor.plugin.calls, (Calls{"menu 2 120 130"}));
  EXPECT_EQ(editor.log, (Calls{"up knob"}));
}

TEST(RightButton, Vst3UnboundControlAndLeftButtonReachTheControl)
{
  TestEditor editor(PluginApi::VST3);
  editor.AddRecording("panel", {0, 0, 50, 50});
  editor.AddRecording("knob", {100, 100, 140, 140}, 2);
  editor.Attach();
  editor.graphics->OnMouseDown(10, 10, RightButton());
  editor.graphics->OnMouseUp(10, 10, RightButton());
  editor.graphics->OnMouseDown(120, 120, LeftButton());
  editor.graphics->OnMouseUp(120, 120, LeftButton());
  EXPECT_EQ(editor.log, (Calls{"down panel", "up panel", "down knob", "up knob"}));
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 2", "end 2"}));
}

TEST(RightButton, Vst2KnobGetsThePressAndItsPromptStaysOffByDefault)
{
  TestEditor editor(PluginApi::VST2);
  auto* knob = editor.Add<IKnobMultiControl>(IRectangle{100, 100, 140, 140}, 2,
                                             editor.images.Strip(1, 40, 40, 99));
  editor.Attach();
  ASSERT_TRUE(knob->PromptDisabled());
  editor.graphics->OnMouseDown(120, 120, RightButton());
  EXPECT_EQ(editor.graphics->GetMouseCapture(), 0);
  editor.graphics->OnMouseUp(120, 120, RightButton());
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 2", "end 2"}));
}

TEST(RightButton, SwitchStepsWithEitherButtonInVst2)
{
  TestEditor editor(PluginApi::VST2);
  auto* toggle =
      editor.Add<ISwitchControl>(IRectangle{0, 0, 26, 26}, 4, editor.images.Strip(1, 26, 26, 2));
  editor.plugin.GetParam(4)->SetPlainClamped(0.0);
  editor.Attach();
  editor.graphics->OnMouseDown(5, 5, RightButton());
  editor.graphics->OnMouseUp(5, 5, RightButton());
  EXPECT_DOUBLE_EQ(toggle->GetValue(), 1.0);
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 4", "set 4 1", "end 4"}));
}

TEST(DoubleClick, GoesToTheControlUnlessItActsAsAClick)
{
  TestEditor editor;
  RecordingControl* plain = editor.AddRecording("plain", {0, 0, 50, 50}, 1);
  RecordingControl* asClick = editor.AddRecording("click", {100, 0, 150, 50}, 2);
  asClick->SetDoubleClickAsClick(true);
  editor.Attach();

  EXPECT_FALSE(editor.graphics->OnMouseDoubleClick(10, 10, LeftButton()));
  EXPECT_EQ(editor.graphics->GetMouseCapture(), -1);
  EXPECT_TRUE(editor.graphics->OnMouseDoubleClick(110, 10, LeftButton()));
  EXPECT_EQ(editor.graphics->GetMouseCapture(), 1);
  editor.graphics->OnMouseUp(110, 10, LeftButton());
  EXPECT_FALSE(editor.graphics->OnMouseDoubleClick(300, 300, LeftButton()));

  EXPECT_EQ(editor.log, (Calls{"dbl plain", "down click", "up click"}));
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 1", "end 1", "begin 2", "end 2"}));
  (void)plain;
}

TEST(Keys, BackgroundAndEmptySpaceGoToTheKeyCatcher)
{
  TestEditor editor;
  editor.AddRecording("background", {0, 0, 500, 480});
  editor.AddRecording("knob", {100, 100, 140, 140});
  editor.Attach();
  EXPECT_FALSE(editor.graphics->OnKeyDown(10, 10, 0));
  EXPECT_TRUE(editor.graphics->OnKeyDown(110, 110, 1));
  editor.graphics->SetKeyCatcher(
      std::make_unique<RecordingControl>(editor.log, "catcher", &editor.plugin, IRectangle{}));
  EXPECT_TRUE(editor.graphics->OnKeyDown(10, 10, 15));
  EXPECT_TRUE(editor.graphics->OnKeyDown(600, 600, 16));
  EXPECT_EQ(editor.log, (Calls{"key 1 knob", "key 15 catcher", "key 16 catcher"}));
}

TEST(MouseOver, OffUnlessTheEditorHandlesIt)
{
  TestEditor editor;
  editor.AddRecording("a", {0, 0, 50, 50});
  RecordingControl* b = editor.AddRecording("b", {100, 0, 150, 50});
  editor.Attach();
  EXPECT_FALSE(editor.graphics->OnMouseOver(10, 10, IMouseModifiers{}));

  editor.graphics->SetHandleMouseOver(true);
  b->SetGreyed(true);
  EXPECT_TRUE(editor.graphics->OnMouseOver(10, 10, IMouseModifiers{}));
  EXPECT_TRUE(editor.graphics->OnMouseOver(110, 10, IMouseModifiers{}));  // greyed: nobody
  EXPECT_EQ(editor.graphics->GetMouseOver(), 0);
  b->SetMouseOverWhenGreyed(true);
  editor.graphics->MoveMouse(120, 10, IMouseModifiers{});
  EXPECT_EQ(editor.graphics->GetMouseOver(), 1);
  editor.graphics->OnMouseOut();
  EXPECT_EQ(editor.graphics->GetMouseOver(), -1);
  EXPECT_EQ(editor.log, (Calls{"over a", "over b", "out a", "out a", "out b"}));
}
