#include "WinTestEditor.h"

#include "graphics/IKnobMultiControl.h"

#include <gtest/gtest.h>

namespace
{

// A knob on parameter 0 (0..10, at 5 so 0.5) at (100, 100, 140, 140).
struct KnobEditor : WinTestEditor
{
  KnobEditor()
  {
    knob = Add<IKnobMultiControl>(IRectangle{100, 100, 140, 140}, 0, images.Strip(1, 40, 40, 99));
    Attach();
    Open(host);
  }

  LPARAM ScreenPoint(int x, int y) const
  {
    POINT point{x, y};
    ClientToScreen(Window(), &point);
    return MAKELPARAM(point.x, point.y);
  }

  TestHostWindow& host = SharedHostWindow();
  IKnobMultiControl* knob = nullptr;
};

}  // namespace

TEST(WindowInput, PressDragAndReleaseTurnAKnob)
{
  KnobEditor editor;
  ASSERT_NE(editor.Window(), nullptr);
  ASSERT_DOUBLE_EQ(editor.knob->GetValue(), 0.5);

  editor.Press(120, 120);
  EXPECT_EQ(GetCapture(), editor.Window());
  EXPECT_EQ(editor.graphics->GetMouseCapture(), 0);
  // 20 pixels up on a 40-pixel knob with gearing 4: an eighth of the range.
  editor.Drag(120, 100);
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.625);
  // A move to the same place is no drag.
  editor.Drag(120, 100);
  editor.Drag(125, 110);
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.625 - 0.0625);
  editor.Release(125, 110);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(editor.graphics->GetMouseCapture(), -1);
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 0", "set 0 0.625", "set 0 0.5625", "end 0"}));

  // Without the capture a move with the button held drags nothing.
  editor.Drag(120, 60);
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.5625);
}

TEST(WindowInput, WheelStepsInWholeNotches)
{
  KnobEditor editor;
  editor.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), editor.ScreenPoint(120, 120));
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.51);
  // Half a notch from a high-resolution wheel gives no step.
  editor.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), editor.ScreenPoint(120, 120));
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.51);
  editor.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), editor.ScreenPoint(120, 120));
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.49);
  editor.Send(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 120), editor.ScreenPoint(120, 120));
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.491);
  // Over the background nothing turns.
  editor.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), editor.ScreenPoint(10, 10));
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.491);
}

TEST(WindowInput, DoubleClickReturnsTheKnobToItsDefault)
{
  KnobEditor editor;
  editor.Press(120, 120);
  editor.Drag(120, 90);
  editor.Release(120, 90);
  ASSERT_NE(editor.knob->GetValue(), 0.5);
  editor.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(120, 120));
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.5);
  // The double click was not taken as a press, so the mouse stays free.
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(WindowInput, UnmappedKeysReachTheHostWindowUnchanged)
{
  KnobEditor editor;
  const LPARAM repeatAndScanCode = 0x003F0001;
  EXPECT_EQ(editor.Send(WM_KEYDOWN, VK_F5, repeatAndScanCode), 0);
  editor.Send(WM_KEYUP, VK_F5, repeatAndScanCode | 0xC0000000);
  ASSERT_EQ(editor.host.keys.size(), 2u);
  EXPECT_EQ(editor.host.keys[0].message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(editor.host.keys[0].wParam, static_cast<WPARAM>(VK_F5));
  EXPECT_EQ(editor.host.keys[0].lParam, repeatAndScanCode);
  EXPECT_EQ(editor.host.keys[1].message, static_cast<UINT>(WM_KEYUP));
  EXPECT_EQ(editor.host.keys[1].lParam, static_cast<LPARAM>(repeatAndScanCode | 0xC0000000));
}

TEST(WindowInput, MappedKeysGoToTheControlUnderTheCursor)
{
  TestHostWindow& host = SharedHostWindow();
  WinTestEditor editor;
  editor.AddRecording("background", {0, 0, 500, 480});
  editor.AddRecording("pad", {200, 200, 300, 300});
  editor.Attach();
  ASSERT_NE(editor.Open(host), nullptr);

  POINT over{250, 250};
  ClientToScreen(editor.Window(), &over);
  ASSERT_TRUE(SetCursorPos(over.x, over.y));
  editor.log.clear();
  editor.Send(WM_KEYDOWN, 'B', 0x00300001);
  EXPECT_EQ(editor.log, (std::vector<std::string>{"key 16 pad"}));
  EXPECT_TRUE(host.keys.empty());

  // Over the background with no key catcher the key goes to the host.
  POINT away{20, 20};
  ClientToScreen(editor.Window(), &away);
  ASSERT_TRUE(SetCursorPos(away.x, away.y));
  editor.log.clear();
  editor.Send(WM_KEYDOWN, VK_SPACE, 0x00390001);
  EXPECT_TRUE(editor.log.empty());
  ASSERT_EQ(host.keys.size(), 1u);
  EXPECT_EQ(host.keys[0].wParam, static_cast<WPARAM>(VK_SPACE));
}
