// The in-place text entry of the Linux host in a real X11 window on a private Xvfb server,
// typed into with XTEST key events as a user types.
#include "TestEditorBase.h"

#include "graphics/IKnobMultiControl.h"
#include "graphics/linux/IGraphicsLinux.h"
#include "tests/support/XvfbEnvironment.h"
#include "tools/pluginhost/linux/X11HostWindow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>
#include <thread>
#include <vector>

namespace
{

// A knob on parameter 0 (0..10, at 5) whose right-click prompt opens a text entry over
// (100, 112, 140, 128), in an X11 window of a host window.
struct EntryEditor : TestEditorBase<IGraphicsLinux>
{
  EntryEditor() : TestEditorBase(PluginApi::VST2, nullptr)
  {
    knob = Add<IKnobMultiControl>(IRectangle{100, 100, 140, 140}, 0, images.Strip(1, 40, 40, 99));
    knob->SetPromptDisabled(false);
    Attach();
    opened = graphics->OpenWindow(host.Handle()) != nullptr;
    Run(100);
  }

  // The host's idle loop for a while.
  void Run(int milliseconds)
  {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end)
    {
      graphics->Idle();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  // A right click on the knob, as a user opens its prompt.
  void OpenEntry()
  {
    host.MoveTo(120, 120);
    host.Button(3, true);
    host.Button(3, false);
    Run(60);
  }

  void Type(std::initializer_list<const char*> keys)
  {
    for (const char* key : keys)
      host.Key(key);
    Run(60);
  }

  // What the editor window shows.
  std::vector<uint32_t> Shown()
  {
    std::vector<uint32_t> pixels;
    int width = 0;
    int height = 0;
    EXPECT_TRUE(host.Capture(pixels, width, height));
    return pixels;
  }

  X11HostWindow host{500, 480};
  IKnobMultiControl* knob = nullptr;
  bool opened = false;
};

class LinuxTextEntry : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_TRUE(TestXvfb() && TestXvfb()->Running())
        << (TestXvfb() ? TestXvfb()->Error() : "no X server");
  }
};

TEST_F(LinuxTextEntry, TakesTheFocusAndCommitsTheTypedNumberWithEnter)
{
  EntryEditor editor;
  ASSERT_TRUE(editor.opened);
  editor.OpenEntry();
  ASSERT_TRUE(editor.graphics->TextEntryRuns());
  EXPECT_EQ(editor.graphics->TextEntryText(), "5.00000");
  EXPECT_EQ(editor.host.FocusWindow(), editor.host.EditorWindow());
  const std::vector<uint32_t> entryShown = editor.Shown();
  // Only one entry at a time.
  editor.graphics->CreateTextEntry(editor.knob, editor.knob->GetTextStyle(), {0, 0, 10, 10}, "x",
                                   nullptr);
  EXPECT_EQ(editor.graphics->TextEntryText(), "5.00000");

  // The whole text is selected, so typing replaces it; a letter is no part of a number.
  editor.Type({"7", "period", "a", "5"});
  EXPECT_EQ(editor.graphics->TextEntryText(), "7.5");
  EXPECT_FALSE(editor.Shown() == entryShown) << "the typed text is not drawn";
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.5);
  editor.Type({"Return"});
  EXPECT_FALSE(editor.graphics->TextEntryRuns());
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.75);
  EXPECT_EQ(editor.host.FocusWindow(), editor.host.Id()) << "the focus was not given back";
  editor.Run(100);
  // Drawn afresh, the editor shows what the window shows: the entry left nothing behind.
  const std::vector<uint32_t> shown = editor.Shown();
  editor.DrawAll();
  EXPECT_TRUE(editor.Shown() == shown) << "the entry left its drawing behind";
}

TEST_F(LinuxTextEntry, EditingKeysWorkAndEscapeOrAClickOnTheEditorCancels)
{
  EntryEditor editor;
  ASSERT_TRUE(editor.opened);
  editor.OpenEntry();
  editor.Type({"1", "2", "3", "Left", "BackSpace", "Home", "Delete", "End", "minus"});
  EXPECT_EQ(editor.graphics->TextEntryText(), "3-");
  editor.Type({"Escape"});
  EXPECT_FALSE(editor.graphics->TextEntryRuns());
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.5);
  EXPECT_EQ(editor.host.FocusWindow(), editor.host.Id());

  editor.OpenEntry();
  editor.Type({"9"});
  editor.host.Click(300, 300);
  editor.Run(100);
  EXPECT_FALSE(editor.graphics->TextEntryRuns());
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.5);
}

TEST_F(LinuxTextEntry, LosingTheFocusOrAnXEmbedFocusOutCommits)
{
  EntryEditor editor;
  ASSERT_TRUE(editor.opened);
  editor.OpenEntry();
  editor.Type({"2"});
  editor.host.Focus();
  editor.Run(100);
  EXPECT_FALSE(editor.graphics->TextEntryRuns());
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.2);

  // An XEmbed embedder takes the focus away with a message instead.
  editor.OpenEntry();
  editor.Type({"4"});
  editor.host.SendXEmbed(5);  // XEMBED_FOCUS_OUT
  editor.Run(100);
  EXPECT_FALSE(editor.graphics->TextEntryRuns());
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.4);
}

}  // namespace
