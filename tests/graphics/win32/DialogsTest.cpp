#include "WinTestEditor.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{

struct DialogEditor : WinTestEditor
{
  DialogEditor()
  {
    Attach();
    Open(host);
  }
  TestHostWindow& host = SharedHostWindow();
};

std::string WindowText(HWND window)
{
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// What an answer saw of its dialog.
struct Seen
{
  std::string title;
  HWND owner = nullptr;
  WPARAM button = IDOK;
  std::string fileName;
};

void PressButton(HWND dialog, void* context)
{
  Seen& seen = *static_cast<Seen*>(context);
  seen.title = WindowText(dialog);
  seen.owner = GetWindow(dialog, GW_OWNER);
  PostMessageA(dialog, WM_COMMAND, seen.button, 0);
}

void EnterFileName(HWND dialog, void* context)
{
  Seen& seen = *static_cast<Seen*>(context);
  seen.title = WindowText(dialog);
  // The file name box: an edit (edt1) or, in the newer layout, a combo box (cmb13).
  constexpr int kFileNameEdit = 0x480;
  constexpr int kFileNameCombo = 0x47C;
  if (!SetDlgItemTextA(dialog, kFileNameEdit, seen.fileName.c_str()))
    SetDlgItemTextA(dialog, kFileNameCombo, seen.fileName.c_str());
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

std::string TempFolder()
{
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof folder, folder);
  return folder;
}

}  // namespace

TEST(Dialogs, ColourPromptIsTitledAndKeepsAlpha)
{
  DialogEditor editor;
  Seen seen;
  IColour colour{0x80, 0x12, 0x34, 0x56};
  bool accepted = false;
  {
    const DialogAnswer answer(&PressButton, &seen);
    accepted = editor.graphics->PromptForColour(colour, "Panel colour");
    EXPECT_TRUE(answer.Answered());
  }
  EXPECT_TRUE(accepted);
  EXPECT_EQ(seen.title, "Panel colour");
  // Owned by the editor, whose top-level window Windows makes the owner.
  EXPECT_EQ(seen.owner, editor.host.Handle());
  // OK without a change keeps the starting colour, and alpha is not the dialog's.
  EXPECT_EQ(colour, (IColour{0x80, 0x12, 0x34, 0x56}));
}

TEST(Dialogs, CancelledColourPromptChangesNothing)
{
  DialogEditor editor;
  Seen seen;
  seen.button = IDCANCEL;
  IColour colour{255, 1, 2, 3};
  bool accepted = true;
  {
    const DialogAnswer answer(&PressButton, &seen);
    accepted = editor.graphics->PromptForColour(colour, "");
  }
  EXPECT_FALSE(accepted);
  EXPECT_EQ(colour, (IColour{255, 1, 2, 3}));

  WinTestEditor closed;
  closed.Attach();
  EXPECT_FALSE(closed.graphics->PromptForColour(colour, "x"));
}

TEST(Dialogs, OpenFilePromptReturnsThePathAndItsFolder)
{
  const std::string folder = TempFolder();
  const std::string path = folder + "quillwave-dialog-test.quillwavepreset";
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fclose(file);

  DialogEditor editor;
  Seen seen;
  seen.fileName = path;
  std::string chosen = "old.quillwavepreset";
  std::string chosenFolder = "C:\\somewhere\\";
  {
    const DialogAnswer answer(&EnterFileName, &seen);
    editor.graphics->PromptForFile(chosen, IFileAction::Open, chosenFolder, "quillwavepreset");
  }
  std::remove(path.c_str());
  EXPECT_STRCASEEQ(chosen.c_str(), path.c_str());
  EXPECT_STRCASEEQ(chosenFolder.c_str(), folder.c_str());
}

TEST(Dialogs, CancelledFilePromptEmptiesTheFileAndKeepsTheFolder)
{
  DialogEditor editor;
  Seen seen;
  seen.button = IDCANCEL;
  std::string file = "kept.quillwavepreset";
  std::string folder = "C:\\presets\\";
  {
    const DialogAnswer answer(&PressButton, &seen);
    editor.graphics->PromptForFile(file, IFileAction::Save, folder, "quillwavepreset");
  }
  EXPECT_EQ(file, "");
  EXPECT_EQ(folder, "C:\\presets\\");

  WinTestEditor closed;
  closed.Attach();
  file = "kept";
  closed.graphics->PromptForFile(file, IFileAction::Open, folder, nullptr);
  EXPECT_EQ(file, "");
}

TEST(Dialogs, MessageBoxBelongsToTheHostsMainWindow)
{
  auto first = std::make_unique<TestHostWindow>();
  WinTestEditor editor;
  editor.Attach();
  ASSERT_NE(editor.Open(*first), nullptr);
  Seen seen;
  seen.button = IDYES;
  int result = 0;
  {
    const DialogAnswer answer(&PressButton, &seen);
    result = editor.graphics->ShowMessageBox("Overwrite the preset?", "Quillwave", MB_YESNO);
  }
  EXPECT_EQ(result, IDYES);
  EXPECT_EQ(seen.title, "Quillwave");
  EXPECT_EQ(seen.owner, first->Handle());

  // With that window gone, another top-level window of this process with
  // the same class takes its place.
  first->Destroy();
  const HWND other = SharedHostWindow().Handle();
  seen = Seen{};
  {
    const DialogAnswer answer(&PressButton, &seen);
    result = editor.graphics->ShowMessageBox("Again", "Quillwave", MB_OK);
  }
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(seen.owner, other);
}

TEST(Dialogs, DeclinedUrlIsNotOpened)
{
  DialogEditor editor;
  Seen seen;
  seen.button = IDNO;
  bool opened = true;
  {
    const DialogAnswer answer(&PressButton, &seen);
    opened = editor.graphics->OpenUrl("https://quillwave.invalid/", "Quillwave", "Open the manual?",
                                      "The manual could not be opened.");
    EXPECT_TRUE(answer.Answered());
  }
  EXPECT_FALSE(opened);
  EXPECT_EQ(seen.title, "Quillwave");
  EXPECT_EQ(seen.owner, editor.host.Handle());
}
