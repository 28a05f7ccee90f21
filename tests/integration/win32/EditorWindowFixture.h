#pragma once

// The editor tests' fixture: the module under test with its editor opened the way a Windows
// host opens it, in a top-level window of the host, and driven by real window messages.
// What it shows is compared with the pictures the Linux modules' editors composed for the
// same values (tests/integration/reference), apart from the band where the preset name is
// drawn in the platform's fonts, and with the editor's artwork.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/integration/PngPicture.h"
#include "tests/integration/ReferenceRender.h"
#include "tests/integration/win32/WineModuleFixture.h"

namespace winetest
{

// The points the tests click: the effect switch (its frames are 26 pixels square, its
// rectangle starts at 237, 294), the centre knob, and the step buttons of the preset strip.
constexpr int kSwitchLeft = 237;
constexpr int kSwitchTop = 294;
constexpr int kSwitchX = 250;
constexpr int kSwitchY = 307;
constexpr int kCentreKnobX = 115;
constexpr int kCentreKnobY = 223;
constexpr int kNextPresetX = 450;
constexpr int kPreviousPresetX = 45;
constexpr int kPresetStripY = 50;

class EditorWindow : public WineModule
{
protected:
  void TearDown() override
  {
    if (plugin)
      plugin->CloseEditor();
  }

  // Opens the editor of `instance` (the fixture's plug-in when null); fails the test when
  // it cannot.
  WindowEditor* Open(PluginInstance* instance = nullptr)
  {
    std::string error;
    WindowEditor* opened = (instance ? instance : plugin.get())->OpenEditor(error);
    EXPECT_NE(opened, nullptr) << error;
    if (!instance)
      editor = opened;
    return opened;
  }

  void Close()
  {
    plugin->CloseEditor();
    editor = nullptr;
  }

  // What the editor shows once its redraw timer has ticked again.
  static PngPicture Shown(WindowEditor& window)
  {
    PngPicture picture;
    EXPECT_TRUE(window.WaitForRedraw()) << "the editor's redraw timer did not tick";
    picture.width = window.Width();
    picture.height = window.Height();
    EXPECT_TRUE(window.Capture(picture.pixels)) << "BitBlt from the editor window failed";
    return picture;
  }
  PngPicture Shown() { return Shown(*editor); }

  // Writes the picture into the build tree as <format>-<name>.png.
  void SaveScreenshot(const PngPicture& picture, const std::string& name) const
  {
    std::filesystem::create_directories(QUILLWAVE_SCREENSHOT_DIR);
    const std::string path =
        (std::filesystem::path(QUILLWAVE_SCREENSHOT_DIR) / (plugin->Format() + "-" + name + ".png"))
            .string();
    std::string error;
    EXPECT_TRUE(WritePngPicture(path, picture, error)) << error;
  }

  // The picture the Linux editor composed for these values; empty (and a failure) when the
  // linux preset's tests have not stored it.
  static PngPicture LinuxPicture(const std::string& name)
  {
    PngPicture picture;
    const std::string path =
        (std::filesystem::path(QUILLWAVE_LINUX_REFERENCE_DIR) / (name + ".png")).string();
    if (!std::filesystem::exists(path))
    {
      ADD_FAILURE() << "no Linux reference picture " << path
                    << ": run the linux preset's tests first (ctest --preset linux -R "
                       "LinuxReference), which write it";
      return picture;
    }
    std::string error;
    EXPECT_TRUE(ReadPngPicture(path, picture, error)) << error;
    return picture;
  }

  // Empty when the picture is the Linux one outside the preset name's band.
  static std::string DifferenceFromLinux(const PngPicture& shown, const std::string& name)
  {
    return PictureDifference(shown, LinuxPicture(name), reference::kTextBand);
  }

  // Whether two pictures agree inside the preset name's band.
  static bool SameTextBand(const PngPicture& a, const PngPicture& b)
  {
    const int* band = reference::kTextBand;
    for (int y = band[1]; y < band[3]; ++y)
      for (int x = band[0]; x < band[2]; ++x)
        if (((a.At(x, y) ^ b.At(x, y)) & 0xFFFFFFu) != 0)
          return false;
    return true;
  }

  // A pixel of one of the editor's images as the module embeds it.
  static uint32_t ArtworkPixel(const std::string& image, int x, int y)
  {
    PngPicture art;
    std::string error;
    EXPECT_TRUE(
        ReadPngPicture(std::string(QUILLWAVE_SOURCE_DIR) + "/resources/img/" + image, art, error))
        << error;
    return art.width > x && art.height > y ? art.At(x, y) : 0;
  }

  // Every parameter against an instance that the host gave the installed factory preset;
  // the preset actions' own parameters are left out.
  void ExpectPresetValues(const std::string& preset) const
  {
    auto expected = Load();
    ASSERT_NE(expected, nullptr);
    PluginSettings settings;
    settings.presetPath =
        (std::filesystem::path(wineinstall::kFactoryPresets) / (preset + ".quillwavepreset"))
            .string();
    std::string error;
    ASSERT_EQ(ApplySettings(*expected, settings, error), SettingsStatus::Applied) << error;
    for (int i = 0; i < plugin->ParameterCount(); ++i)
    {
      const std::string name = plugin->Parameter(i).name;
      if (name.rfind("Preset", 0) == 0)
        continue;
      EXPECT_NEAR(plugin->Normalized(i), expected->Normalized(i), 1e-6) << preset << ": " << name;
    }
  }

  WindowEditor* editor = nullptr;
};

}  // namespace winetest
