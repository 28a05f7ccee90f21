// Renders the reference settings and editor pictures through both Linux modules and stores
// them in QUILLWAVE_REFERENCE_DIR, where the Windows tests compare the Windows modules with
// them (tests/integration/win32).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/integration/PngPicture.h"
#include "tests/integration/ReferenceRender.h"
#include "tests/product/TemporaryHome.h"
#include "tools/pluginhost/PluginInstance.h"

namespace
{

namespace fs = std::filesystem;

const char* const kModules[] = {QUILLWAVE_VST2_MODULE, QUILLWAVE_VST3_BUNDLE};
const std::string kFactoryFolder = std::string(QUILLWAVE_SOURCE_DIR) + "/presets/Factory";

std::string Stored(const std::string& name)
{
  return (fs::path(QUILLWAVE_REFERENCE_DIR) / name).string();
}

std::unique_ptr<PluginInstance> Load(const char* path)
{
  std::string error;
  auto plugin = LoadPluginModule(path, error);
  EXPECT_NE(plugin, nullptr) << error;
  return plugin;
}

class LinuxReference : public ::testing::Test
{
protected:
  static void SetUpTestSuite() { fs::create_directories(QUILLWAVE_REFERENCE_DIR); }

  TemporaryHome home;
};

TEST_F(LinuxReference, BothModulesRenderEverySettingAlikeAndStoreIt)
{
  for (const reference::Setting& setting : reference::Settings())
  {
    std::map<std::string, std::vector<double>> rendered;
    for (const char* path : kModules)
    {
      auto plugin = Load(path);
      ASSERT_NE(plugin, nullptr);
      std::vector<double> output;
      std::string error;
      ASSERT_TRUE(reference::Render(*plugin, setting, kFactoryFolder, output, error)) << error;
      double largestChange = 0.0;
      for (size_t i = 0; i < output.size(); ++i)
      {
        ASSERT_TRUE(std::isfinite(output[i])) << setting.name << " sample " << i;
        const double in = reference::Input(static_cast<int>(i % 2), static_cast<int>(i / 2));
        largestChange = std::max(largestChange, std::fabs(output[i] - in));
      }
      EXPECT_GT(largestChange, 0.01)
          << plugin->Format() << " " << setting.name << ": the effect is not heard";
      ASSERT_TRUE(reference::WriteDoubles(
          Stored(reference::AudioFileName(plugin->Format(), setting)), output, error))
          << error;
      ASSERT_TRUE(reference::WriteBytes(Stored(reference::StateFileName(plugin->Format(), setting)),
                                        plugin->SaveState(), error))
          << error;
      rendered[plugin->Format()] = std::move(output);
    }
    // Both bindings hand the engine the same values, so the two modules sound alike.
    EXPECT_EQ(rendered["VST2"], rendered["VST3"]) << setting.name;
  }
}

TEST_F(LinuxReference, TheSilentStretchLetsTheMaximumFeedbackRingOut)
{
  const auto& settings = reference::Settings();
  const auto feedback = std::find_if(settings.begin(), settings.end(), [](const auto& setting) {
    return setting.name == "maximum-feedback";
  });
  ASSERT_NE(feedback, settings.end());
  auto plugin = Load(QUILLWAVE_VST2_MODULE);
  ASSERT_NE(plugin, nullptr);
  std::vector<double> output;
  std::string error;
  ASSERT_TRUE(reference::Render(*plugin, *feedback, kFactoryFolder, output, error)) << error;
  // Find the first silent input frame; the output still sounds after it.
  int silentFrom = -1;
  for (int t = 0; t < reference::kFrames && silentFrom < 0; ++t)
    if (reference::Input(0, t) == 0.0 && reference::Input(1, t) == 0.0 &&
        reference::Input(0, t + 1) == 0.0)
      silentFrom = t;
  ASSERT_GT(silentFrom, 0);
  double tail = 0.0;
  for (int t = silentFrom + 64; t < silentFrom + 1024; ++t)
    tail = std::max(tail, std::fabs(output[static_cast<size_t>(t) * 2]));
  EXPECT_GT(tail, 1e-4);
}

TEST_F(LinuxReference, BothModulesShowTheSamePicturesAndStoreThem)
{
  for (const reference::Picture& picture : reference::Pictures())
  {
    std::map<std::string, PngPicture> shown;
    for (const char* path : kModules)
    {
      auto plugin = Load(path);
      ASSERT_NE(plugin, nullptr);
      std::string error;
      ASSERT_TRUE(reference::ApplyPicture(*plugin, picture, kFactoryFolder, error)) << error;
      OffscreenEditor* editor = plugin->OpenEditor(error);
      ASSERT_NE(editor, nullptr) << error;
      editor->Tick();
      PngPicture pixels;
      pixels.width = editor->Width();
      pixels.height = editor->Height();
      ASSERT_TRUE(editor->ReadPixels(pixels.pixels)) << picture.name;
      shown[plugin->Format()] = std::move(pixels);
    }
    EXPECT_EQ(PictureDifference(shown["VST3"], shown["VST2"]), "") << picture.name;
    std::string error;
    ASSERT_TRUE(WritePngPicture(Stored(picture.name + ".png"), shown["VST2"], error)) << error;
  }
  // The pictures differ where their values differ.
  PngPicture first;
  PngPicture second;
  std::string error;
  ASSERT_TRUE(ReadPngPicture(Stored(reference::Pictures()[0].name + ".png"), first, error));
  ASSERT_TRUE(ReadPngPicture(Stored(reference::Pictures()[1].name + ".png"), second, error));
  EXPECT_NE(first.pixels, second.pixels);
}

}  // namespace
