// Both Windows modules' editors in a real window under Xvfb, opened through the VST3 view
// (createView, attached with "HWND", removed) and the VST2 editor opcodes (effEditGetRect,
// effEditOpen, effEditIdle, effEditClose), and used with real mouse messages.

#include <windows.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/integration/win32/EditorWindowFixture.h"

namespace winetest
{
namespace
{

constexpr const char* kSwitchImage = "qv_button_0030_white.png";

HWND Window(void* handle)
{
  return static_cast<HWND>(handle);
}

std::string ClassOf(HWND window)
{
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Keys for the popup menu that the next click opens, posted by a thread timer once the menu's
// own message loop runs, since TrackPopupMenu does not return before a choice. A second
// timer ends a menu that the keys did not close, so that a failure cannot hang the test.
class MenuKeys
{
public:
  MenuKeys(HWND target, std::vector<std::pair<UINT, WPARAM>> keys)
  {
    pending = std::move(keys);
    window = target;
    post = SetTimer(nullptr, 0, 200, &Post);
    rescue = SetTimer(nullptr, 0, 5000, &Rescue);
  }
  ~MenuKeys()
  {
    KillTimer(nullptr, post);
    KillTimer(nullptr, rescue);
    pending.clear();
  }
  MenuKeys(const MenuKeys&) = delete;
  MenuKeys& operator=(const MenuKeys&) = delete;

  static bool Rescued() { return rescued; }

private:
  static void CALLBACK Post(HWND, UINT, UINT_PTR id, DWORD)
  {
    KillTimer(nullptr, id);
    for (const auto& [message, key] : pending)
      PostMessageA(window, message, key, 0);
    pending.clear();
  }
  static void CALLBACK Rescue(HWND, UINT, UINT_PTR id, DWORD)
  {
    KillTimer(nullptr, id);
    rescued = true;
    EndMenu();
  }

  static inline std::vector<std::pair<UINT, WPARAM>> pending;
  static inline HWND window = nullptr;
  static inline bool rescued = false;
  UINT_PTR post = 0;
  UINT_PTR rescue = 0;
};

using WindowedEditor = EditorWindow;

TEST_P(WindowedEditor, OpensAsAChildOfTheHostsTopLevelWindowAndShowsTheLinuxPicture)
{
  ASSERT_NE(Open(), nullptr);
  const HWND frame = Window(editor->FrameWindow());
  const HWND child = Window(editor->EditorWindow());
  EXPECT_EQ(GetWindowLongPtrA(frame, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
  EXPECT_EQ(GetParent(frame), nullptr);
  EXPECT_EQ(ClassOf(child), WindowEditor::kEditorClass);
  EXPECT_EQ(GetParent(child), frame);
  EXPECT_EQ(GetWindowLongPtrA(child, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
  EXPECT_EQ(editor->ReportedWidth(), 500);
  EXPECT_EQ(editor->ReportedHeight(), 480);
  EXPECT_EQ(editor->Width(), 500);
  EXPECT_EQ(editor->Height(), 480);

  const PngPicture shown = Shown();
  SaveScreenshot(shown, "editor-default");
  EXPECT_EQ(DifferenceFromLinux(shown, "editor-default"), "");
  // The preset name "< Presets Library >" is drawn in the band.
  std::set<uint32_t> colours;
  const int* band = reference::kTextBand;
  for (int y = band[1]; y < band[3]; ++y)
    for (int x = band[0]; x < band[2]; ++x)
      colours.insert(shown.At(x, y));
  EXPECT_GE(colours.size(), 3u);
}

TEST_P(WindowedEditor, AKnobDragAndASwitchClickSetTheirParametersAndAreDrawn)
{
  ASSERT_NE(Open(), nullptr);
  const PngPicture before = Shown();
  const uint32_t dark = ArtworkPixel(kSwitchImage, kSwitchX - kSwitchLeft, kSwitchY - kSwitchTop);
  const uint32_t lit =
      ArtworkPixel(kSwitchImage, kSwitchX - kSwitchLeft, kSwitchY - kSwitchTop + 26);
  ASSERT_NE(dark, lit);
  EXPECT_EQ(before.At(kSwitchX, kSwitchY), dark);

  // Up by one knob height in two moves: a quarter of the knob's travel.
  const double centre = Value("QuillwaveCenter");
  EXPECT_TRUE(editor->Press(kCentreKnobX, kCentreKnobY));
  EXPECT_TRUE(editor->Drag(kCentreKnobX, kCentreKnobY - 20));
  EXPECT_TRUE(editor->Drag(kCentreKnobX, kCentreKnobY - 40));
  EXPECT_TRUE(editor->Release(kCentreKnobX, kCentreKnobY - 40));
  EXPECT_NEAR(Value("QuillwaveCenter"), centre + 0.25, 1e-6);

  EXPECT_EQ(Value("MainFxOffOn"), 0.0);
  EXPECT_TRUE(editor->Click(kSwitchX, kSwitchY));
  EXPECT_EQ(Value("MainFxOffOn"), 1.0);

  const PngPicture after = Shown();
  SaveScreenshot(after, "editor-edited");
  EXPECT_EQ(after.At(kSwitchX, kSwitchY), lit);
  EXPECT_EQ(DifferenceFromLinux(after, "editor-edited"), "");
  EXPECT_NE(PictureDifference(after, before), "");

  // Closed and opened again, the editor shows the values it kept.
  Close();
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(DifferenceFromLinux(Shown(), "editor-edited"), "");
  EXPECT_TRUE(editor->Click(kSwitchX, kSwitchY));
  EXPECT_EQ(Value("MainFxOffOn"), 0.0);
  EXPECT_EQ(Shown().At(kSwitchX, kSwitchY), dark);
}

TEST_P(WindowedEditor, TheStepButtonsLoadTheFactoryPresetsOfTheLibraryInThePrefix)
{
  ASSERT_NE(Open(), nullptr);
  const PngPicture initial = Shown();
  const double selector = plugin->Parameter(Index("PresetSelector")).defaultNormalized;

  // From the title entry 0, the next button selects entry 1, then 2.
  EXPECT_TRUE(editor->Click(kNextPresetX, kPresetStripY));
  ExpectPresetValues("WLCM - The Modder");
  EXPECT_NEAR(Value("PresetSelector"), selector, 1e-9);
  const PngPicture modder = Shown();
  SaveScreenshot(modder, "editor-the-modder");
  EXPECT_EQ(DifferenceFromLinux(modder, "editor-the-modder"), "");
  EXPECT_FALSE(SameTextBand(modder, initial)) << "the preset name changed";

  EXPECT_TRUE(editor->Click(kNextPresetX, kPresetStripY));
  ExpectPresetValues("CHRS - Clean Chorus A");
  const PngPicture chorus = Shown();
  EXPECT_EQ(DifferenceFromLinux(chorus, "editor-clean-chorus-a"), "");
  EXPECT_FALSE(SameTextBand(chorus, modder)) << "the preset name changed";

  // Back again: the same preset, the same name.
  EXPECT_TRUE(editor->Click(kPreviousPresetX, kPresetStripY));
  ExpectPresetValues("WLCM - The Modder");
  const PngPicture again = Shown();
  EXPECT_EQ(PictureDifference(again, modder), "");
}

TEST_P(WindowedEditor, ChoosingAFactoryPresetInThePopupMenuOfTheStripLoadsIt)
{
  ASSERT_NE(Open(), nullptr);
  const PngPicture before = Shown();
  {
    // The top menu: "< Presets Library >", "WLCM - The Modder", then "Factory > Chorus",
    // whose second item is "CHRS - Clean Chorus B".
    const MenuKeys keys(Window(editor->EditorWindow()), {{WM_KEYDOWN, VK_DOWN},
                                                         {WM_KEYDOWN, VK_DOWN},
                                                         {WM_KEYDOWN, VK_DOWN},
                                                         {WM_KEYDOWN, VK_RIGHT},
                                                         {WM_KEYDOWN, VK_DOWN},
                                                         {WM_CHAR, '\r'}});
    EXPECT_TRUE(editor->Click(250, kPresetStripY));
    ASSERT_FALSE(MenuKeys::Rescued()) << "the popup menu did not take the keys";
  }
  ExpectPresetValues("CHRS - Clean Chorus B");
  EXPECT_NEAR(Value("PresetSelector"), plugin->Parameter(Index("PresetSelector")).defaultNormalized,
              1e-9);
  const PngPicture after = Shown();
  SaveScreenshot(after, "editor-menu-choice");
  EXPECT_FALSE(SameTextBand(after, before)) << "the preset name changed";
  // The step buttons count on from the chosen entry: number 4 follows.
  EXPECT_TRUE(editor->Click(kNextPresetX, kPresetStripY));
  ExpectPresetValues("CHRS - Clean Chorus C");
}

WINE_MODULE_SUITE(WindowedEditor);

}  // namespace
}  // namespace winetest
