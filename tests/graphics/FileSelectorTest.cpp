#include "TestEditor.h"

#include "graphics/IBitmapControl.h"
#include "graphics/IFileSelectorControl.h"

#include <gtest/gtest.h>

#include <deque>

namespace
{

constexpr IRectangle kButton{0, 40, 40, 65};

// Answers each dialog with the next path of a list ("" cancels), noting
// what the dialog was opened with and what the screen showed meanwhile.
class FileAnswers : public IOffscreenAnswers
{
public:
  explicit FileAnswers(IGraphicsOffscreen& graphics) : graphics(graphics) {}

  bool ChooseFile(const std::string& file, IFileAction action, const std::string& folder,
                  const std::string& extensions, std::string& chosenPath) override
  {
    requests.push_back(file + "|" + std::to_string(static_cast<int>(action)) + "|" + folder + "|" +
                       extensions);
    // The editor keeps redrawing while the dialog is open.
    graphics.Tick();
    shownDuringDialog.push_back(PixelAt(graphics.Screen(), 20, 50));
    const std::string next = paths.front();
    paths.pop_front();
    chosenPath = next;
    return !next.empty();
  }

  IGraphicsOffscreen& graphics;
  std::deque<std::string> paths;
  std::vector<std::string> requests;
  std::vector<uint32_t> shownDuringDialog;
};

struct SelectorEditor : TestEditor
{
  SelectorEditor()
  {
    Add<IBitmapControl>(kButton, -1, images.Strip(1, 40, 25, 1));
    selector = Add<IFileSelectorControl>(kButton, 3, images.Strip(2, 40, 25, 1), IFileAction::Open,
                                         "/presets/", "", "quillwavepreset");
    plugin.GetParam(3)->SetPlainClamped(0.0);
    Attach();
    graphics->SetAnswers(&answers);
  }

  void Press()
  {
    graphics->OnMouseDown(20, 50, LeftButton());
    graphics->OnMouseUp(20, 50, LeftButton());
  }

  IFileSelectorControl* selector = nullptr;
  FileAnswers answers{*graphics};
};

}  // namespace

TEST(FileSelector, ValueAlternatesAfterEveryDialogChosenOrCancelled)
{
  SelectorEditor editor;
  editor.answers.paths = {"/home/a/one.quillwavepreset", "", "/other/two.quillwavepreset", ""};
  std::vector<double> values;
  std::vector<std::string> files;
  for (int press = 0; press < 4; ++press)
  {
    editor.Press();
    values.push_back(editor.selector->GetValue());
    files.push_back(editor.selector->GetFile());
  }
  EXPECT_EQ(values, (std::vector<double>{1.0, 0.0, 1.0, 0.0}));
  EXPECT_EQ(editor.plugin.sent, (std::vector<double>{1.0, 0.0, 1.0, 0.0}));
  EXPECT_EQ(files, (std::vector<std::string>{"/home/a/one.quillwavepreset", "",
                                             "/other/two.quillwavepreset", ""}));
  // The chosen file's folder is where the next dialog starts; a cancel keeps it.
  EXPECT_EQ(editor.answers.requests,
            (std::vector<std::string>{"|0|/presets/|quillwavepreset",
                                      "/home/a/one.quillwavepreset|0|/home/a/|quillwavepreset",
                                      "|0|/home/a/|quillwavepreset",
                                      "/other/two.quillwavepreset|0|/other/|quillwavepreset"}));
  EXPECT_EQ(editor.selector->GetFolder(), "/other/");
  EXPECT_EQ(editor.plugin.calls.front(), "begin 3");
  EXPECT_EQ(editor.plugin.calls.back(), "end 3");
}

TEST(FileSelector, ShowsItsImageOnlyWhileTheDialogIsOpen)
{
  SelectorEditor editor;
  editor.answers.paths = {""};
  editor.graphics->OpenWindow(nullptr);
  editor.graphics->Tick();
  ASSERT_EQ(PixelAt(editor.graphics->Screen(), 20, 50), FramePixel(1, 1));

  editor.Press();
  EXPECT_EQ(editor.answers.shownDuringDialog, (std::vector<uint32_t>{FramePixel(2, 1)}));
  EXPECT_EQ(editor.selector->State(), IFileSelectorState::Done);

  // The change redraws the button without the image; the finished dialog
  // then asks for one more redraw and the selector is idle again.
  IRectangle area;
  EXPECT_TRUE(editor.graphics->CollectDirty(area));
  editor.graphics->DrawDirty(area);
  EXPECT_EQ(PixelAt(editor.graphics->Screen(), 20, 50), FramePixel(1, 1));
  area = {};
  EXPECT_TRUE(editor.graphics->CollectDirty(area));
  EXPECT_EQ(editor.selector->State(), IFileSelectorState::Idle);
  editor.graphics->DrawDirty(area);
  area = {};
  EXPECT_FALSE(editor.graphics->CollectDirty(area));
}

TEST(FileSelector, EmptyFolderStartsOnTheDesktopAndStaysEmptyOnCancel)
{
  TestEditor editor;
  auto* selector = editor.Add<IFileSelectorControl>(kButton, 3, editor.images.Strip(2, 40, 25, 1),
                                                    IFileAction::Save, "", "", "");
  editor.Attach();
  FileAnswers answers(*editor.graphics);
  answers.paths = {""};
  editor.graphics->SetAnswers(&answers);
  editor.graphics->OnMouseDown(20, 50, LeftButton());
  std::string desktop;
  editor.graphics->DesktopPath(desktop);
  EXPECT_EQ(answers.requests, (std::vector<std::string>{"|1|" + desktop + "|"}));
  EXPECT_EQ(selector->GetFolder(), "");
}

TEST(FileSelector, WithoutAnAttachedEditorAPressDoesNothing)
{
  TestEditor editor;
  auto* selector = editor.Add<IFileSelectorControl>(kButton, 3, editor.images.Strip(2, 40, 25, 1),
                                                    IFileAction::Open, "", "", "");
  selector->OnMouseDown(20, 50, LeftButton());
  EXPECT_EQ(selector->State(), IFileSelectorState::Idle);
  EXPECT_TRUE(editor.plugin.sent.empty());
}
