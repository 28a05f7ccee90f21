#include "TestEditor.h"

#include "graphics/IGraphicsFactory.h"
#include "raster/RasterSysBitmap.h"

#include <gtest/gtest.h>

TEST(AttachEditor, PushesEveryParameterAsTheControlsFirstValueAndPreparesDrawing)
{
  TestEditor editor;
  editor.plugin.GetParam(1)->SetPlainClamped(2.0);
  editor.plugin.GetParam(3)->InitDouble("Curve", 25.0, 0.0, 100.0, 0.01, "", "", 2.0);
  RecordingControl* one = editor.AddRecording("one", {0, 0, 10, 10}, 1);
  RecordingControl* curve = editor.AddRecording("curve", {0, 0, 10, 10}, 3);
  RecordingControl* none = editor.AddRecording("none", {0, 0, 10, 10});
  ASSERT_EQ(editor.graphics->GetDrawBitmap(), nullptr);
  IGraphics* graphics = editor.graphics;
  editor.Attach();

  EXPECT_EQ(editor.plugin.GetEditor(), graphics);
  EXPECT_DOUBLE_EQ(one->GetValue(), 0.2);
  EXPECT_DOUBLE_EQ(one->GetDefaultValue(), 0.2);
  EXPECT_DOUBLE_EQ(curve->GetValue(), 0.5);  // (25 / 100)^(1 / 2)
  EXPECT_DOUBLE_EQ(none->GetDefaultValue(), -1.0);
  EXPECT_FALSE(one->RedrawPending());
  ASSERT_NE(graphics->GetDrawBitmap(), nullptr);
  EXPECT_EQ(graphics->GetDrawBitmap()->Width(), 500);
  EXPECT_EQ(graphics->GetDrawBitmap()->Height(), 480);
  // Nothing travels back to the plug-in.
  EXPECT_TRUE(editor.plugin.sent.empty());
}

TEST(ApplyParameterFromPlugin, PlainValuesAreLimitedAndNormalised)
{
  TestEditor editor;
  editor.plugin.GetParam(3)->InitDouble("Curve", 25.0, 0.0, 100.0, 0.01, "", "", 2.0);
  RecordingControl* level = editor.AddRecording("level", {0, 0, 10, 10}, 1);
  RecordingControl* twin = editor.AddRecording("twin", {0, 0, 10, 10}, 1);
  RecordingControl* curve = editor.AddRecording("curve", {0, 0, 10, 10}, 3);
  editor.Attach();

  editor.graphics->ApplyParameterFromPlugin(1, 7.5, false);
  EXPECT_DOUBLE_EQ(level->GetValue(), 0.75);
  EXPECT_DOUBLE_EQ(twin->GetValue(), 0.75);
  editor.graphics->ApplyParameterFromPlugin(1, 40.0, false);
  EXPECT_DOUBLE_EQ(level->GetValue(), 1.0);
  editor.graphics->ApplyParameterFromPlugin(1, -3.0, false);
  EXPECT_DOUBLE_EQ(level->GetValue(), 0.0);
  editor.graphics->ApplyParameterFromPlugin(3, 64.0, false);
  EXPECT_DOUBLE_EQ(curve->GetValue(), 0.8);
  editor.graphics->ApplyParameterFromPlugin(1, 0.3, true);
  EXPECT_DOUBLE_EQ(level->GetValue(), 0.3);
  // An index the plug-in does not have changes nothing.
  editor.graphics->ApplyParameterFromPlugin(99, 5.0, false);
  EXPECT_DOUBLE_EQ(level->GetValue(), 0.3);
  EXPECT_TRUE(editor.plugin.sent.empty());
}

TEST(ApplyParameterFromPlugin, AuxiliaryValuesFollowTheirFirstEntryOnly)
{
  TestEditor editor;
  RecordingControl* control = editor.AddRecording("c", {0, 0, 10, 10}, 1);
  control->AddAuxParam(4);
  control->AddAuxParam(1);
  control->AddAuxParam(4);
  editor.Attach();
  EXPECT_DOUBLE_EQ(control->AuxValue(0), 0.5);  // attaching pushed parameter 4
  EXPECT_DOUBLE_EQ(control->AuxValue(2), 0.0);

  editor.DrawAll();
  editor.DrawAll();
  editor.graphics->ApplyParameterFromPlugin(4, 0.9, true);
  EXPECT_DOUBLE_EQ(control->AuxValue(0), 0.9);
  EXPECT_DOUBLE_EQ(control->AuxValue(2), 0.0);
  EXPECT_TRUE(control->NeedsRedraw());
  // Parameter 1 is both the main value and auxiliary entry 1.
  editor.graphics->ApplyParameterFromPlugin(1, 0.2, true);
  EXPECT_DOUBLE_EQ(control->GetValue(), 0.2);
  EXPECT_DOUBLE_EQ(control->AuxValue(1), 0.2);
}

TEST(RefreshEditorFromParams, HandsEveryPlainValueToTheControls)
{
  TestEditor editor;
  RecordingControl* a = editor.AddRecording("a", {0, 0, 10, 10}, 0);
  RecordingControl* b = editor.AddRecording("b", {0, 0, 10, 10}, 7);
  editor.Attach();
  editor.plugin.GetParam(0)->SetPlainClamped(1.0);
  editor.plugin.GetParam(7)->SetPlainClamped(9.0);
  editor.plugin.RefreshEditorFromParams();
  EXPECT_DOUBLE_EQ(a->GetValue(), 0.1);
  EXPECT_DOUBLE_EQ(b->GetValue(), 0.9);
  EXPECT_TRUE(editor.plugin.sent.empty());
}

TEST(EditorLifetime, PluginDeletesTheEditorWithItsControlsLastToFirst)
{
  std::vector<std::string> log;
  {
    RecordingPlugin plugin;
    auto graphics = std::make_unique<IGraphicsOffscreen>(&plugin, 500, 480, 25, nullptr);
    graphics->AttachControl(
        std::make_unique<RecordingControl>(log, "first", &plugin, IRectangle{}));
    graphics->AttachControl(
        std::make_unique<RecordingControl>(log, "second", &plugin, IRectangle{}));
    graphics->SetKeyCatcher(std::make_unique<RecordingControl>(log, "keys", &plugin, IRectangle{}));
    plugin.AttachEditor(graphics.release());

    // A second editor replaces (and deletes) the first.
    auto replacement = std::make_unique<IGraphicsOffscreen>(&plugin, 500, 480, 25, nullptr);
    replacement->AttachControl(
        std::make_unique<RecordingControl>(log, "third", &plugin, IRectangle{}));
    plugin.AttachEditor(replacement.release());
    EXPECT_EQ(log, (Calls{"gone keys", "gone second", "gone first"}));
  }
  EXPECT_EQ(log.back(), "gone third");
}

TEST(EditorResize, DropsTheControlsRebuildsTheBitmapAndTellsThePlugin)
{
  TestEditor editor;
  editor.AddRecording("a", {0, 0, 10, 10}, 1);
  editor.Attach();
  editor.graphics->OnMouseDown(5, 5, LeftButton());
  editor.graphics->Resize(300, 200);
  EXPECT_EQ(editor.graphics->GetControlCount(), 0);
  EXPECT_EQ(editor.graphics->GetMouseCapture(), -1);
  EXPECT_EQ(editor.graphics->GetLastMouseX(), -1);
  EXPECT_EQ(editor.graphics->GetDrawBitmap()->Width(), 300);
  EXPECT_EQ(editor.graphics->GetDrawBitmap()->Height(), 200);
  // The press's edit is closed before its control goes.
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 1", "end 1", "resize 300 200"}));
  EXPECT_EQ(editor.log, (Calls{"down a", "gone a"}));
  editor.graphics->Resize(300, 200);
  EXPECT_EQ(editor.plugin.calls.size(), 3u);
}

TEST(PlatformFactory, MakesTheEditorOfThisPlatform)
{
  RecordingPlugin plugin;
  const std::unique_ptr<IGraphics> graphics =
      CreatePlatformGraphics(&plugin, 500, 480, 25, nullptr);
  ASSERT_NE(graphics, nullptr);
  EXPECT_EQ(graphics->Width(), 500);
  EXPECT_EQ(graphics->Height(), 480);
  EXPECT_EQ(graphics->FramesPerSecond(), 25);
  EXPECT_EQ(graphics->GetPlugin(), &plugin);
  EXPECT_FALSE(graphics->WindowIsOpen());
  EXPECT_NE(graphics->OpenWindow(nullptr), nullptr);
  EXPECT_TRUE(graphics->WindowIsOpen());
  graphics->CloseWindow();
  EXPECT_FALSE(graphics->WindowIsOpen());
}
