#include "TestEditor.h"

#include "framework/linux/IOffscreenParent.h"
#include "graphics/IMenu.h"
#include "graphics/IPanelControl.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

// A host's side of the record: answers from its fields, noting what it was asked.
struct Host
{
  Host()
  {
    record.magic = kIOffscreenParentMagic;
    record.version = kIOffscreenParentVersion;
    record.size = sizeof record;
    record.hostData = this;
    record.chooseMenuItem = &Menu;
    record.chooseFile = &File;
    record.enterText = &Text;
  }

  static Host& Of(void* data) { return *static_cast<Host*>(data); }

  static int32_t Menu(void* data, const IOffscreenMenu* menus, int32_t count, int32_t* menu,
                      int32_t* item)
  {
    Host& host = Of(data);
    host.menus.clear();
    for (int32_t m = 0; m < count; ++m)
    {
      std::string shown = std::string(menus[m].title) + ":";
      for (int32_t k = 0; k < menus[m].itemCount; ++k)
      {
        const IOffscreenMenuItem& entry = menus[m].items[k];
        shown += " " + std::string(entry.text);
        if (entry.submenu >= 0)
          shown += ">" + std::to_string(entry.submenu);
        if (entry.flags != 0)
          shown += "#" + std::to_string(entry.flags);
      }
      host.menus.push_back(shown);
    }
    *menu = host.menuAnswer;
    *item = host.itemAnswer;
    return host.chooses ? 1 : 0;
  }

  static int32_t File(void* data, int32_t action, const char* file, const char* folder,
                      const char* extensions, char* path, int32_t capacity)
  {
    Host& host = Of(data);
    host.fileRequests.push_back(std::to_string(action) + "|" + file + "|" + folder + "|" +
                                extensions);
    if (host.fileUnterminated)
    {
      std::memset(path, 'x', static_cast<size_t>(capacity));
      return 1;
    }
    std::snprintf(path, static_cast<size_t>(capacity), "%s", host.fileAnswer.c_str());
    return host.fileAnswer.empty() ? 0 : 1;
  }

  static int32_t Text(void* data, const char* initial, int32_t maxLength, char* text,
                      int32_t capacity)
  {
    Host& host = Of(data);
    host.textRequests.push_back(std::string(initial) + "|" + std::to_string(maxLength));
    std::snprintf(text, static_cast<size_t>(capacity), "%s", host.typed.c_str());
    return host.typed.empty() ? 0 : 1;
  }

  IOffscreenParent record{};
  std::vector<std::string> menus;
  int32_t menuAnswer = 0;
  int32_t itemAnswer = 0;
  bool chooses = false;
  std::vector<std::string> fileRequests;
  std::string fileAnswer;
  bool fileUnterminated = false;
  std::vector<std::string> textRequests;
  std::string typed;
};

struct ParentEditor : TestEditor
{
  ParentEditor()
  {
    Add<IPanelControl>(IRectangle{0, 0, 500, 480}, IColour{255, 0x10, 0x20, 0x30});
    control = AddRecording("a", {100, 100, 140, 140}, 2);
    Attach();
  }
  // The record must not outlive its connection: the host closes first.
  ~ParentEditor() { graphics->CloseWindow(); }

  RecordingControl* control = nullptr;
  Host host;
};

IMouseModifiers Modifiers(bool left, bool right, bool shift)
{
  IMouseModifiers modifiers;
  modifiers.left = left;
  modifiers.right = right;
  modifiers.shift = shift;
  return modifiers;
}

}  // namespace

TEST(OffscreenParent, OpeningConnectsTheRecordAndClosingDisconnectsIt)
{
  ParentEditor editor;
  IOffscreenParent& record = editor.host.record;
  EXPECT_EQ(editor.graphics->OpenWindow(&record), &record);
  EXPECT_EQ(editor.graphics->WindowHandle(), &record);
  ASSERT_NE(record.editor, nullptr);
  EXPECT_EQ(record.framesPerSecond, 25);
  int32_t width = 0;
  int32_t height = 0;
  EXPECT_EQ(record.getSize(&record, &width, &height), 1);
  EXPECT_EQ(width, 500);
  EXPECT_EQ(height, 480);

  std::vector<uint32_t> pixels(500 * 480);
  EXPECT_EQ(record.readPixels(&record, pixels.data(), 500 * 480), 0) << "nothing drawn yet";
  EXPECT_EQ(record.tick(&record), 1);
  EXPECT_EQ(record.tick(&record), 0);
  EXPECT_EQ(record.readPixels(&record, pixels.data(), 500 * 480 - 1), 0);
  ASSERT_EQ(record.readPixels(&record, pixels.data(), 500 * 480), 500 * 480);
  EXPECT_EQ(pixels[479 * 500 + 499], 0xFF102030u);

  editor.graphics->CloseWindow();
  EXPECT_FALSE(editor.graphics->WindowIsOpen());
  EXPECT_EQ(record.editor, nullptr);
  EXPECT_EQ(record.mouseDown, nullptr);
  EXPECT_EQ(record.tick, nullptr);
  EXPECT_EQ(record.readPixels, nullptr);

  // Opened again, the editor draws everything anew.
  ASSERT_EQ(editor.graphics->OpenWindow(&record), &record);
  EXPECT_EQ(record.tick(&record), 1);
  EXPECT_EQ(editor.graphics->LastScreenRect(), (IRectangle{0, 0, 500, 480}));
}

TEST(OffscreenParent, InputFromTheHostReachesTheControls)
{
  ParentEditor editor;
  IOffscreenParent& record = editor.host.record;
  ASSERT_NE(editor.graphics->OpenWindow(&record), nullptr);
  editor.log.clear();

  EXPECT_EQ(record.mouseDown(&record, 110, 110, kIOffscreenLeftButton), 1);
  EXPECT_EQ(record.mouseMove(&record, 113, 104, kIOffscreenLeftButton | kIOffscreenShift), 1);
  EXPECT_EQ(record.mouseUp(&record, 113, 104, 0), 1);
  EXPECT_EQ(record.wheel(&record, 120, 120, 0, -2), 1);
  EXPECT_EQ(record.doubleClick(&record, 120, 120, kIOffscreenLeftButton), 1);
  EXPECT_EQ(record.keyDown(&record, 120, 120, 15), 1);
  // Codes outside the editor's keys, and keys over nothing, stay with the host.
  EXPECT_EQ(record.keyDown(&record, 120, 120, 41), 0);
  EXPECT_EQ(record.keyDown(&record, 120, 120, -1), 0);
  EXPECT_EQ(record.keyDown(&record, 5, 5, 15), 0);
  EXPECT_EQ(editor.log,
            (Calls{"down a", "drag 3 -6 a", "up a", "wheel -2 a", "dbl a", "key 15 a"}));
  // The press, the wheel and the double click each make one host edit.
  EXPECT_EQ(editor.plugin.calls,
            (Calls{"begin 2", "end 2", "begin 2", "end 2", "begin 2", "end 2"}));

  // A move without a button is no drag.
  editor.log.clear();
  record.mouseMove(&record, 130, 130, 0);
  EXPECT_EQ(editor.log, Calls{});
}

TEST(OffscreenParent, AnythingButARecordLeavesTheEditorClosed)
{
  ParentEditor editor;
  ASSERT_NE(editor.graphics->OpenWindow(&editor.host.record), nullptr);

  // What a Linux host might pass instead: an X11 window id, a pointer to
  // something else, memory that is not mapped, a record whose end is not.
  int notARecord = 0;
  const long pageSize = sysconf(_SC_PAGESIZE);
  void* pages = mmap(nullptr, static_cast<size_t>(2 * pageSize), PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(pages, MAP_FAILED);
  char* const secondPage = static_cast<char*>(pages) + pageSize;
  ASSERT_EQ(munmap(secondPage, static_cast<size_t>(pageSize)), 0);
  auto* straddling = reinterpret_cast<IOffscreenParent*>(secondPage - 16);
  straddling->magic = kIOffscreenParentMagic;
  straddling->version = kIOffscreenParentVersion;
  straddling->size = sizeof(IOffscreenParent);

  for (void* parent : {reinterpret_cast<void*>(0x3a00007), static_cast<void*>(&notARecord),
                       static_cast<void*>(secondPage), static_cast<void*>(straddling)})
  {
    EXPECT_EQ(editor.graphics->OpenWindow(parent), nullptr);
    EXPECT_FALSE(editor.graphics->WindowIsOpen());
  }
  munmap(pages, static_cast<size_t>(pageSize));
  // The refused open closed the editor that was open, as a failed window would.
  EXPECT_EQ(editor.host.record.editor, nullptr);

  Host wrongMagic;
  wrongMagic.record.magic = 0x12345678;
  Host noVersion;
  noVersion.record.version = 0;
  Host tooShort;
  tooShort.record.size = sizeof(IOffscreenParent) - 8;
  for (Host* host : {&wrongMagic, &noVersion, &tooShort})
    EXPECT_EQ(editor.graphics->OpenWindow(&host->record), nullptr);

  // A newer host's longer record is taken.
  Host newer;
  newer.record.version = kIOffscreenParentVersion + 1;
  newer.record.size = sizeof(IOffscreenParent) + 64;
  EXPECT_EQ(editor.graphics->OpenWindow(&newer.record), &newer.record);
  editor.graphics->CloseWindow();
}

TEST(OffscreenParent, MenusReachTheHostAsTitledListsAndOnlyPlainItemsCanBeChosen)
{
  ParentEditor editor;
  Host& host = editor.host;
  ASSERT_NE(editor.graphics->OpenWindow(&host.record), nullptr);

  IMenu bank(IMenuPrefix::TwoDigits);
  bank.AddItem("Clean");
  bank.AddItem("Dirty")->flags = IMenuItem::kDisabled;
  bank.AddItem("Wide");
  IMenu top;
  top.AddItem("< Presets Library >");
  top.AddItem("Bank A", &bank);
  top.AddItem("")->flags = IMenuItem::kSeparator;
  // A submenu met twice, even one that opens its own ancestor, is listed once.
  bank.AddItem("Back", &top);
  top.AddItem("Bank A again", &bank);

  host.chooses = true;
  host.menuAnswer = 1;
  host.itemAnswer = 2;
  EXPECT_EQ(editor.graphics->ShowPopupMenu(top, {}), &bank);
  EXPECT_EQ(bank.ChosenItem(), 2);
  EXPECT_EQ(host.menus, (Calls{": < Presets Library > Bank A>1 #8 Bank A again>1",
                               "Bank A: 01: Clean 02: Dirty#1 03: Wide 04: Back>0"}));

  const std::vector<std::pair<int32_t, int32_t>> refused = {{0, 1},  // opens a submenu
                                                            {0, 2},  // separator
                                                            {1, 1},  // disabled
                                                            {1, 4},  // no such item
                                                            {2, 0},  // no such menu
                                                            {-1, 0}};
  for (const auto& [menu, item] : refused)
  {
    host.menuAnswer = menu;
    host.itemAnswer = item;
    EXPECT_EQ(editor.graphics->ShowPopupMenu(top, {}), nullptr) << menu << " " << item;
  }

  host.menuAnswer = 0;
  host.itemAnswer = 0;
  host.chooses = false;
  EXPECT_EQ(editor.graphics->ShowPopupMenu(top, {}), nullptr);
  host.record.chooseMenuItem = nullptr;
  host.chooses = true;
  EXPECT_EQ(editor.graphics->ShowPopupMenu(top, {}), nullptr);
}

TEST(OffscreenParent, FileDialogsAskTheHost)
{
  ParentEditor editor;
  Host& host = editor.host;
  ASSERT_NE(editor.graphics->OpenWindow(&host.record), nullptr);

  std::string file = "Old.quillwavepreset";
  std::string folder = "/presets/";
  host.fileAnswer = "/chosen/My Sound.quillwavepreset";
  editor.graphics->PromptForFile(file, IFileAction::Save, folder, "quillwavepreset");
  EXPECT_EQ(file, "/chosen/My Sound.quillwavepreset");
  EXPECT_EQ(folder, "/chosen/");
  EXPECT_EQ(host.fileRequests, (Calls{"1|Old.quillwavepreset|/presets/|quillwavepreset"}));

  // Cancelled, or answered with a path that did not fit: no file, same folder.
  host.fileAnswer.clear();
  editor.graphics->PromptForFile(file, IFileAction::Open, folder, "quillwavepreset");
  EXPECT_EQ(file, "");
  EXPECT_EQ(folder, "/chosen/");
  EXPECT_EQ(host.fileRequests.back(),
            "0|/chosen/My Sound.quillwavepreset|/chosen/|quillwavepreset");
  file = "kept";
  host.fileUnterminated = true;
  editor.graphics->PromptForFile(file, IFileAction::Open, folder, "quillwavepreset");
  EXPECT_EQ(file, "");
  EXPECT_EQ(folder, "/chosen/");
}

TEST(OffscreenParent, TextEntriesAskTheHostAndCommitWhatItTyped)
{
  ParentEditor editor;
  Host& host = editor.host;
  ASSERT_NE(editor.graphics->OpenWindow(&host.record), nullptr);

  // In a VST2 host a right click prompts for the control's value.
  host.typed = "8";
  editor.control->SetPromptDisabled(false);
  host.record.mouseDown(&host.record, 110, 110, kIOffscreenRightButton);
  host.record.mouseUp(&host.record, 110, 110, kIOffscreenRightButton);
  EXPECT_EQ(host.textRequests, (Calls{"5.00000|7"}));
  EXPECT_DOUBLE_EQ(editor.plugin.GetParam(2)->Value(), 8.0);

  host.typed.clear();
  editor.graphics->OnMouseDown(110, 110, Modifiers(false, true, true));
  EXPECT_EQ(host.textRequests.size(), 2u);
  EXPECT_DOUBLE_EQ(editor.plugin.GetParam(2)->Value(), 8.0);
}

TEST(OffscreenParent, InProcessAnswersStandAsideWhileARecordAnswers)
{
  struct Chooser : IOffscreenAnswers
  {
    IMenu* ChooseFromMenu(IMenu& menu, const IRectangle&) override
    {
      menu.SetChosenItem(0);
      return &menu;
    }
  } chooser;
  ParentEditor editor;
  editor.graphics->SetAnswers(&chooser);
  IMenu menu;
  menu.AddItem("Only");

  ASSERT_NE(editor.graphics->OpenWindow(&editor.host.record), nullptr);
  EXPECT_EQ(editor.graphics->ShowPopupMenu(menu, {}), nullptr);
  editor.graphics->CloseWindow();
  EXPECT_EQ(editor.graphics->ShowPopupMenu(menu, {}), &menu);
}
