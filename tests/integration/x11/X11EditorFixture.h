#pragma once

// The X11 editor tests' fixture: a private Xvfb server for the whole run, a module instance
// per test with its editor opened in a host window as Linux hosts open it, and a private
// HOME holding the factory presets where the plug-in's preset library lives.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/XvfbEnvironment.h"
#include "tools/pluginhost/PluginInstance.h"
#include "tools/pluginhost/PluginSettings.h"
#include "tools/pluginhost/linux/X11HostWindow.h"

namespace x11test
{

constexpr int kSwitchX = 250;
constexpr int kSwitchY = 307;
constexpr int kCentreKnobX = 115;
constexpr int kCentreKnobY = 223;
// Long enough for several redraw ticks at 40 ms.
constexpr int kSettleMs = 200;

class X11Editor : public ::testing::TestWithParam<const char*>
{
protected:
  void SetUp() override
  {
    ASSERT_TRUE(TestXvfb() && TestXvfb()->Running())
        << (TestXvfb() ? TestXvfb()->Error() : "no X server");
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "-" + test->name();
    for (char& c : name)
      if (c == '/')
        c = '-';
    folder = std::filesystem::temp_directory_path() / ("quillwave-x11-test-" + name);
    std::filesystem::remove_all(folder);
    library = folder / "home" / "Documents" / "PleoAudio" / "Quillwave" / "Presets";
    std::filesystem::create_directories(library / "User");
    std::filesystem::copy(std::filesystem::path(QUILLWAVE_SOURCE_DIR) / "presets" / "Factory",
                          library / "Factory");
    setenv("HOME", (folder / "home").c_str(), 1);
    plugin = Load();
    ASSERT_NE(plugin, nullptr);
  }

  void TearDown() override
  {
    plugin.reset();
    std::filesystem::remove_all(folder);
  }

  std::unique_ptr<PluginInstance> Load() const
  {
    std::string error;
    auto loaded = LoadPluginModule(GetParam(), error);
    EXPECT_NE(loaded, nullptr) << error;
    return loaded;
  }

  bool Open(PluginInstance& instance, X11HostWindow& window)
  {
    std::string error;
    const bool opened = instance.OpenX11Editor(window, error);
    EXPECT_TRUE(opened) << error;
    return opened;
  }

  double Value(const char* name) const { return plugin->Normalized(FindParameter(*plugin, name)); }

  // What the editor window shows once the host's loop ran a while.
  std::vector<uint32_t> Shown(X11HostWindow& window)
  {
    plugin->RunX11Editor(kSettleMs);
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    EXPECT_TRUE(window.Capture(pixels, width, height));
    EXPECT_EQ(width, 500);
    EXPECT_EQ(height, 480);
    return pixels;
  }

  // The same instance's editor composed off-screen, without the alpha byte a window drops.
  std::vector<uint32_t> Offscreen()
  {
    plugin->CloseEditor();
    std::string error;
    OffscreenEditor* editor = plugin->OpenEditor(error);
    std::vector<uint32_t> pixels;
    EXPECT_NE(editor, nullptr) << error;
    if (!editor)
      return pixels;
    editor->Tick();
    EXPECT_TRUE(editor->ReadPixels(pixels));
    for (uint32_t& pixel : pixels)
      pixel &= 0xFFFFFFu;
    plugin->CloseEditor();
    return pixels;
  }

  // Clicks (x, y), which opens a popup (a menu, a message box) whose loop blocks the host's
  // loop, and lets `user` act on it from another thread, as a person acts while the popup's
  // own loop runs. True when the popup opened and closed again. A popup left open is closed
  // with Escape, so that a failure cannot hang the test.
  bool WithPopup(X11HostWindow& window, int x, int y, const std::function<void()>& user)
  {
    window.Click(x, y);
    bool closed = false;
    std::thread person([&] {
      if (window.WaitForPopups(1))
        user();
      closed = window.WaitForPopups(0);
      for (int level = 0; !closed && level < 3; ++level)
      {
        window.Key("Escape");
        closed = window.WaitForPopups(0, 500);
      }
    });
    plugin->RunX11Editor(1500);
    person.join();
    plugin->RunX11Editor(kSettleMs);
    return closed;
  }

  void Drag(X11HostWindow& window, int x, int y, int dy)
  {
    window.MoveTo(x, y);
    window.Button(1, true);
    plugin->RunX11Editor(30);
    window.MoveTo(x, y + dy / 2);
    plugin->RunX11Editor(30);
    window.MoveTo(x, y + dy);
    plugin->RunX11Editor(30);
    window.Button(1, false);
    plugin->RunX11Editor(30);
  }

  // Every parameter against an instance given the factory preset; the preset actions' own
  // parameters are left out.
  void ExpectPresetValues(const std::string& preset) const
  {
    auto expected = Load();
    ASSERT_NE(expected, nullptr);
    PluginSettings settings;
    settings.presetPath = (library / "Factory" / (preset + ".quillwavepreset")).string();
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

  std::unique_ptr<PluginInstance> plugin;
  std::filesystem::path folder;
  std::filesystem::path library;
};

inline std::string ModuleName(const ::testing::TestParamInfo<const char*>& info)
{
  return std::string(info.param).find(".vst3") != std::string::npos ? "VST3" : "VST2";
}

}  // namespace x11test
