#include "TestEditor.h"

#include "graphics/IContactControl.h"
#include "graphics/ISwitchControl.h"

#include <gtest/gtest.h>

namespace
{

void Click(TestEditor& editor, int x, int y)
{
  editor.graphics->OnMouseDown(x, y, LeftButton());
  editor.graphics->OnMouseUp(x, y, LeftButton());
}

}  // namespace

TEST(Switch, TwoFramesToggleAndNotifyEveryClick)
{
  TestEditor editor;
  auto* toggle =
      editor.Add<ISwitchControl>(IRectangle{0, 0, 26, 26}, 4, editor.images.Strip(9, 26, 26, 2));
  editor.plugin.GetParam(4)->SetPlainClamped(0.0);
  editor.Attach();
  editor.DrawAll();
  EXPECT_EQ(editor.DrawnPixel(13, 13), FramePixel(9, 1));

  Click(editor, 13, 13);
  EXPECT_DOUBLE_EQ(toggle->GetValue(), 1.0);
  EXPECT_DOUBLE_EQ(editor.plugin.GetParam(4)->Value(), 10.0);
  editor.DrawAll();
  EXPECT_EQ(editor.DrawnPixel(13, 13), FramePixel(9, 2));

  Click(editor, 13, 13);
  EXPECT_DOUBLE_EQ(toggle->GetValue(), 0.0);
  EXPECT_EQ(editor.plugin.calls,
            (Calls{"begin 4", "set 4 1", "end 4", "begin 4", "set 4 0", "end 4"}));
}

TEST(Switch, FourFramesCycleThroughThirdsAndWrap)
{
  TestEditor editor;
  auto* mode =
      editor.Add<ISwitchControl>(IRectangle{0, 0, 40, 40}, 6, editor.images.Strip(2, 40, 40, 4));
  editor.plugin.GetParam(6)->SetPlainClamped(0.0);
  editor.Attach();
  std::vector<int> frames;
  for (int click = 0; click < 5; ++click)
  {
    Click(editor, 20, 20);
    editor.DrawAll();
    frames.push_back(static_cast<int>(editor.DrawnPixel(20, 20) & 0xFF));
  }
  EXPECT_EQ(frames, (std::vector<int>{2, 3, 4, 1, 2}));
  ASSERT_EQ(editor.plugin.sent.size(), 5u);
  EXPECT_NEAR(editor.plugin.sent[0], 1.0 / 3.0, 1e-12);
  EXPECT_NEAR(editor.plugin.sent[1], 2.0 / 3.0, 1e-12);
  EXPECT_NEAR(editor.plugin.sent[2], 1.0, 1e-12);
  EXPECT_EQ(editor.plugin.sent[3], 0.0);
  (void)mode;
}

TEST(Switch, DoubleClickIsAnotherStepInItsOwnEdit)
{
  TestEditor editor;
  auto* toggle =
      editor.Add<ISwitchControl>(IRectangle{0, 0, 26, 26}, 4, editor.images.Strip(9, 26, 26, 2));
  editor.plugin.GetParam(4)->SetPlainClamped(0.0);
  editor.Attach();
  // A window reports press, release, double click, release.
  Click(editor, 5, 5);
  editor.graphics->OnMouseDoubleClick(5, 5, LeftButton());
  editor.graphics->OnMouseUp(5, 5, LeftButton());
  EXPECT_DOUBLE_EQ(toggle->GetValue(), 0.0);
  EXPECT_EQ(editor.plugin.calls,
            (Calls{"begin 4", "set 4 1", "end 4", "begin 4", "set 4 0", "end 4"}));
}

TEST(Contact, PressSendsOneAndReleaseZero)
{
  TestEditor editor;
  auto* button =
      editor.Add<IContactControl>(IRectangle{40, 40, 60, 65}, 5, editor.images.Strip(4, 20, 25, 1));
  editor.plugin.GetParam(5)->SetPlainClamped(0.0);
  editor.Attach();
  editor.graphics->OnMouseDown(45, 50, LeftButton());
  EXPECT_DOUBLE_EQ(button->GetValue(), 1.0);
  EXPECT_DOUBLE_EQ(editor.plugin.GetParam(5)->Value(), 10.0);
  editor.graphics->OnMouseUp(45, 50, LeftButton());
  EXPECT_DOUBLE_EQ(button->GetValue(), 0.0);
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 5", "set 5 1", "set 5 0", "end 5"}));
}
