// The preset strip of both Linux modules in an X11 window: the step buttons and the popup
// menu the editor draws itself, driven through XTEST like a user at the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/integration/PngPicture.h"
#include "tests/integration/x11/X11EditorFixture.h"

namespace x11test
{
namespace
{

constexpr int kPresetStripY = 50;
constexpr int kSelectorX = 250;
constexpr int kNextPresetX = 450;
constexpr int kPreviousPresetX = 45;
// Rows of the menu the editor draws: a 1-pixel frame, then 20 pixels a row.
constexpr int kMenuRowHeight = 20;
// Longer than a double click, so two clicks in a row stay two clicks.
constexpr int kBetweenClicksMs = 600;

int RowCentre(const X11HostWindow::Popup& popup, int row)
{
  return popup.y + 1 + row * kMenuRowHeight + kMenuRowHeight / 2;
}

class X11PresetStrip : public X11Editor
{
protected:
  // The host window and what lies over it up to `right`, as the screen shows it, written into
  // the build tree as <format>-<name>.png (the README's picture comes from here).
  void SaveScreenshot(X11HostWindow& window, const std::string& name, int right) const
  {
    PngPicture picture;
    picture.width = right;
    picture.height = 480;
    EXPECT_TRUE(window.CaptureScreen(0, 0, picture.width, picture.height, picture.pixels));
    for (uint32_t& pixel : picture.pixels)
      pixel |= 0xFF000000u;
    std::filesystem::create_directories(QUILLWAVE_SCREENSHOT_DIR);
    std::string error;
    EXPECT_TRUE(WritePngPicture(std::string(QUILLWAVE_SCREENSHOT_DIR) + "/" + plugin->Format() +
                                    "-" + name + ".png",
                                picture, error))
        << error;
  }
};

TEST_P(X11PresetStrip, ThePointerChoosesCleanChorusBThroughTheFactorySubmenu)
{
  X11HostWindow window(500, 480);
  ASSERT_TRUE(Open(*plugin, window));
  Shown(window);
  int levels = 0;
  ASSERT_TRUE(WithPopup(window, kSelectorX, kPresetStripY, [&] {
    // The top menu: "< Presets Library >", "WLCM - The Modder", then "Factory > Chorus".
    const X11HostWindow::Popup top = window.Popups()[0];
    window.MoveToScreen(top.x + 40, RowCentre(top, 2));
    if (!window.WaitForPopups(2))
      return;
    levels = 2;
    const X11HostWindow::Popup chorus = window.Popups()[1];
    EXPECT_GE(chorus.x, top.x + top.width - 1) << "the submenu opens beside its item";
    window.MoveToScreen(chorus.x + 40, RowCentre(chorus, 0));
    window.MoveToScreen(chorus.x + 40, RowCentre(chorus, 1));
    std::this_thread::sleep_for(std::chrono::milliseconds(150));  // the highlight is drawn
    SaveScreenshot(window, "editor-menu", std::max(500, chorus.x + chorus.width + 10));
    window.Button(1, true);
    window.Button(1, false);
  }));
  EXPECT_EQ(levels, 2) << "hovering the item did not open its submenu";
  ExpectPresetValues("CHRS - Clean Chorus B");
  const std::vector<uint32_t> shown = Shown(window);
  EXPECT_TRUE(shown == Offscreen());
}

TEST_P(X11PresetStrip, KeysChooseFromTheMenuAndAClickOutsideClosesItWithNoChoice)
{
  X11HostWindow window(500, 480);
  ASSERT_TRUE(Open(*plugin, window));
  Shown(window);
  ASSERT_TRUE(WithPopup(window, kSelectorX, kPresetStripY, [&] {
    for (const char* key : {"Down", "Down", "Down", "Right", "Down", "Return"})
      window.Key(key);
  }));
  ExpectPresetValues("CHRS - Clean Chorus B");

  const double selector = Value("PresetSelector");
  ASSERT_TRUE(WithPopup(window, kSelectorX, kPresetStripY, [&] { window.Click(490, 470); }));
  EXPECT_EQ(Value("PresetSelector"), selector);
  ExpectPresetValues("CHRS - Clean Chorus B");
}

TEST_P(X11PresetStrip, TheStepButtonsLoadTheFactoryPresets)
{
  X11HostWindow window(500, 480);
  ASSERT_TRUE(Open(*plugin, window));
  Shown(window);
  window.Click(kNextPresetX, kPresetStripY);
  plugin->RunX11Editor(kBetweenClicksMs);
  ExpectPresetValues("WLCM - The Modder");
  window.Click(kNextPresetX, kPresetStripY);
  plugin->RunX11Editor(kBetweenClicksMs);
  ExpectPresetValues("CHRS - Clean Chorus A");
  window.Click(kPreviousPresetX, kPresetStripY);
  plugin->RunX11Editor(kBetweenClicksMs);
  ExpectPresetValues("WLCM - The Modder");
  const std::vector<uint32_t> shown = Shown(window);
  EXPECT_TRUE(shown == Offscreen());
}

INSTANTIATE_TEST_SUITE_P(BothModules, X11PresetStrip,
                         ::testing::Values(QUILLWAVE_VST3_BUNDLE, QUILLWAVE_VST2_MODULE),
                         ModuleName);

}  // namespace
}  // namespace x11test
