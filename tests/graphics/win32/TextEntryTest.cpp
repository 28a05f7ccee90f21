#include "WinTestEditor.h"

#include "graphics/IKnobMultiControl.h"

#include <gtest/gtest.h>

namespace
{

// A knob on parameter 0 (0..10 in steps of 0.00001, at 5) whose right-click
// prompt opens a text entry over (100, 112, 140, 128).
struct EntryEditor : WinTestEditor
{
  EntryEditor()
  {
    knob = Add<IKnobMultiControl>(IRectangle{100, 100, 140, 140}, 0, images.Strip(1, 40, 40, 99));
    knob->SetPromptDisabled(false);
    Attach();
    Open(host);
  }

  // A right click on the knob, as a user opens its prompt.
  HWND OpenEntry()
  {
    Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(120, 120));
    Send(WM_RBUTTONUP, 0, MAKELPARAM(120, 120));
    plugin.calls.clear();
    return graphics->TextEntryWindow();
  }

  static std::string Text(HWND entry)
  {
    char text[64] = {};
    GetWindowTextA(entry, text, sizeof text);
    return text;
  }

  static void Type(HWND entry, const char* characters)
  {
    for (const char* c = characters; *c; ++c)
      SendMessageA(entry, WM_CHAR, static_cast<unsigned char>(*c), 1);
  }

  static void Key(HWND entry, WPARAM key) { SendMessageA(entry, WM_KEYDOWN, key, 1); }

  TestHostWindow& host = SharedHostWindow();
  IKnobMultiControl* knob = nullptr;
};

}  // namespace

TEST(TextEntry, PromptOpensAnEditWindowOverTheControl)
{
  EntryEditor editor;
  const HWND entry = editor.OpenEntry();
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(GetParent(entry), editor.Window());
  EXPECT_EQ(GetDlgCtrlID(entry), 99);
  char name[16] = {};
  GetClassNameA(entry, name, sizeof name);
  EXPECT_STRCASEEQ(name, "Edit");
  const LONG style = GetWindowLongA(entry, GWL_STYLE);
  EXPECT_NE(style & ES_MULTILINE, 0);
  EXPECT_NE(style & ES_CENTER, 0);  // the control's default alignment
  RECT bounds{};
  GetWindowRect(entry, &bounds);
  MapWindowPoints(HWND_DESKTOP, editor.Window(), reinterpret_cast<POINT*>(&bounds), 2);
  EXPECT_EQ(bounds.left, 100);
  EXPECT_EQ(bounds.top, 112);
  EXPECT_EQ(bounds.right - bounds.left, 41);
  EXPECT_EQ(bounds.bottom - bounds.top, 17);
  EXPECT_EQ(EntryEditor::Text(entry), "5.00000");
  EXPECT_EQ(SendMessageA(entry, EM_GETLIMITTEXT, 0, 0), 7);
  EXPECT_EQ(GetFocus(), entry);
  EXPECT_EQ(editor.graphics->TextEntryState(), ITextEntryState::Editing);
  // The release of the button that opened the prompt closed the press.
  EXPECT_EQ(GetCapture(), nullptr);

  // Only one entry at a time.
  editor.graphics->CreateTextEntry(editor.knob, editor.knob->GetTextStyle(), {0, 0, 10, 10}, "x",
                                   nullptr);
  EXPECT_EQ(editor.graphics->TextEntryWindow(), entry);
}

TEST(TextEntry, EnterCommitsAtTheNextTick)
{
  EntryEditor editor;
  const HWND entry = editor.OpenEntry();
  ASSERT_NE(entry, nullptr);
  // The whole text is selected, so typing replaces it.
  EntryEditor::Type(entry, "7.5");
  EXPECT_EQ(EntryEditor::Text(entry), "7.5");
  EntryEditor::Key(entry, VK_RETURN);
  EXPECT_EQ(editor.graphics->TextEntryState(), ITextEntryState::Commit);
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.5);

  editor.Tick();
  EXPECT_FALSE(IsWindow(entry));
  EXPECT_EQ(editor.graphics->TextEntryWindow(), nullptr);
  EXPECT_EQ(editor.graphics->TextEntryState(), ITextEntryState::None);
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.75);
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 0", "set 0 0.75", "end 0"}));
  // The keys are the editor's again.
  EXPECT_EQ(GetFocus(), editor.Window());
}

TEST(TextEntry, LettersAreSwallowedForANumber)
{
  EntryEditor editor;
  const HWND entry = editor.OpenEntry();
  ASSERT_NE(entry, nullptr);
  EntryEditor::Type(entry, "x");
  EXPECT_EQ(EntryEditor::Text(entry), "5.00000");
  EntryEditor::Type(entry, "-2e");
  EXPECT_EQ(EntryEditor::Text(entry), "-2");
  EntryEditor::Key(entry, VK_RETURN);
  editor.Tick();
  // Below the range: limited to its minimum.
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.0);
}

TEST(TextEntry, EscapeCancels)
{
  EntryEditor editor;
  const HWND entry = editor.OpenEntry();
  ASSERT_NE(entry, nullptr);
  EntryEditor::Type(entry, "9");
  EntryEditor::Key(entry, VK_ESCAPE);
  EXPECT_EQ(editor.graphics->TextEntryState(), ITextEntryState::Cancel);
  // Losing the focus before the tick does not turn the cancel into a commit.
  SetFocus(editor.host.Handle());
  EXPECT_EQ(editor.graphics->TextEntryState(), ITextEntryState::Cancel);
  editor.Tick();
  EXPECT_FALSE(IsWindow(entry));
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.5);
  EXPECT_TRUE(editor.plugin.calls.empty());
}

TEST(TextEntry, ClickOnTheEditorWhileEditingCancels)
{
  EntryEditor editor;
  const HWND entry = editor.OpenEntry();
  ASSERT_NE(entry, nullptr);
  EntryEditor::Type(entry, "9");
  editor.Press(300, 300);
  EXPECT_EQ(editor.graphics->TextEntryState(), ITextEntryState::Cancel);
  // The press did not reach the controls.
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(editor.graphics->GetMouseCapture(), -1);
  editor.Tick();
  EXPECT_FALSE(IsWindow(entry));
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.5);
  EXPECT_TRUE(editor.plugin.calls.empty());
}

TEST(TextEntry, LosingTheFocusCommits)
{
  EntryEditor editor;
  const HWND entry = editor.OpenEntry();
  ASSERT_NE(entry, nullptr);
  EntryEditor::Type(entry, "2");
  SetFocus(editor.host.Handle());
  EXPECT_EQ(editor.graphics->TextEntryState(), ITextEntryState::Commit);
  // A click on the editor after that still commits.
  editor.Press(300, 300);
  EXPECT_EQ(editor.graphics->TextEntryState(), ITextEntryState::Commit);
  editor.Tick();
  EXPECT_FALSE(IsWindow(entry));
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.2);
}

TEST(TextEntry, NoDrawingWhileTheEntryHasTheFocus)
{
  EntryEditor editor;
  editor.Tick();
  const HWND entry = editor.OpenEntry();
  ASSERT_NE(entry, nullptr);
  editor.graphics->ApplyParameterFromPlugin(0, 0.9, true);
  ASSERT_TRUE(editor.knob->NeedsRedraw());
  editor.Tick();
  EXPECT_TRUE(editor.knob->NeedsRedraw());
  EXPECT_EQ(editor.graphics->TextEntryState(), ITextEntryState::Editing);
  EXPECT_TRUE(IsWindow(entry));

  // Once the entry is gone the tick draws again (a value from the plug-in
  // keeps its control dirty for a second pass).
  editor.graphics->EndTextEntry();
  editor.Tick();
  EXPECT_FALSE(IsWindow(entry));
  editor.Tick();
  editor.Tick();
  EXPECT_FALSE(editor.knob->NeedsRedraw());
}

TEST(TextEntry, WheelCancelsAnOpenEntry)
{
  EntryEditor editor;
  const HWND entry = editor.OpenEntry();
  ASSERT_NE(entry, nullptr);
  SetFocus(editor.Window());  // commit pending
  editor.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(editor.graphics->TextEntryState(), ITextEntryState::Cancel);
  editor.Tick();
  EXPECT_FALSE(IsWindow(entry));
  EXPECT_DOUBLE_EQ(editor.knob->GetValue(), 0.5);
}

TEST(TextEntry, EntryColoursComeFromTheTextStyle)
{
  EntryEditor editor;
  ITextStyle style = editor.knob->GetTextStyle();
  style.entryBackground = IColour{255, 0x10, 0x20, 0x30};
  style.entryForeground = IColour{255, 0xF0, 0xE0, 0xD0};
  editor.knob->SetTextStyle(style);
  const HWND entry = editor.OpenEntry();
  ASSERT_NE(entry, nullptr);

  const HDC dc = CreateCompatibleDC(nullptr);
  const LRESULT brush =
      editor.Send(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(entry));
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH)));
  EXPECT_EQ(GetBkColor(dc), RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(GetTextColor(dc), RGB(0xF0, 0xE0, 0xD0));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetDCBrushColor(dc), RGB(0x10, 0x20, 0x30));
  DeleteDC(dc);
}

TEST(TextEntry, FreeTextGoesToTheControlAsTyped)
{
  struct NameControl : RecordingControl
  {
    using RecordingControl::RecordingControl;
    void AcceptEnteredText(const char* text) override { accepted = text; }
    std::string accepted = "(none)";
  };
  TestHostWindow& host = SharedHostWindow();
  WinTestEditor editor;
  auto* name = editor.graphics->AttachControl(std::make_unique<NameControl>(
      editor.log, "name", &editor.plugin, IRectangle{10, 10, 200, 30}));
  editor.Attach();
  ASSERT_NE(editor.Open(host), nullptr);
  name->SetTextEntryLength(20);
  editor.graphics->CreateTextEntry(name, name->GetTextStyle(), name->GetRect(), "", nullptr);
  const HWND entry = editor.graphics->TextEntryWindow();
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(SendMessageA(entry, EM_GETLIMITTEXT, 0, 0), 20);
  // Free text asks for the Enter key, which a dialog would take otherwise.
  MSG enter{};
  enter.hwnd = entry;
  enter.message = WM_KEYDOWN;
  enter.wParam = VK_RETURN;
  EXPECT_NE(SendMessageA(entry, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                DLGC_WANTALLKEYS,
            0);
  EntryEditor::Type(entry, "Bright pad");
  EntryEditor::Key(entry, VK_RETURN);
  // The character Enter types does not end up in the text.
  EntryEditor::Type(entry, "\r");
  EXPECT_EQ(EntryEditor::Text(entry), "Bright pad");
  editor.Tick();
  EXPECT_EQ(name->accepted, "Bright pad");
  EXPECT_TRUE(editor.plugin.calls.empty());
}
