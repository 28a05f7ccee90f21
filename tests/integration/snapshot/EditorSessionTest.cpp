// Both built modules' editors, opened off-screen through the modules' own entry points and
// editor calls the way a Linux host opens them, driven through the parent record.

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/integration/snapshot/SnapshotTestSupport.h"
#include "tools/pluginhost/PluginInstance.h"
#include "tools/pluginhost/PluginSettings.h"

namespace snapshottest
{
namespace
{

constexpr const char* kSwitchImage = "qv_button_0030_white.png";

class EditorSession : public EditorFolder, public ::testing::WithParamInterface<const char*>
{
protected:
  void SetUp() override
  {
    EditorFolder::SetUp();
    plugin = Load();
    ASSERT_NE(plugin, nullptr);
  }
  void TearDown() override
  {
    plugin.reset();
    EditorFolder::TearDown();
  }

  std::unique_ptr<PluginInstance> Load() const
  {
    std::string error;
    auto loaded = LoadPluginModule(GetParam(), error);
    EXPECT_NE(loaded, nullptr) << error;
    return loaded;
  }

  OffscreenEditor& Open()
  {
    std::string error;
    editor = plugin->OpenEditor(error);
    EXPECT_NE(editor, nullptr) << error;
    if (!editor)
      throw std::runtime_error(error);
    return *editor;
  }

  // What the editor shows after one more redraw tick.
  Picture Shown()
  {
    editor->Tick();
    Picture picture;
    picture.width = editor->Width();
    picture.height = editor->Height();
    EXPECT_TRUE(editor->ReadPixels(picture.pixels));
    return picture;
  }

  double Value(const char* name) const { return plugin->Normalized(FindParameter(*plugin, name)); }

  void Click(int x, int y)
  {
    EXPECT_TRUE(editor->Press(x, y, 0));
    EXPECT_TRUE(editor->Release(x, y, 0));
  }

  // Every parameter of this instance against one that had `preset` applied by the host. The
  // preset actions' own parameters are left out: the file buttons move theirs.
  void ExpectPresetValues(const std::string& preset)
  {
    auto reference = Load();
    PluginSettings settings;
    settings.presetPath = Factory(preset);
    std::string error;
    ASSERT_EQ(ApplySettings(*reference, settings, error), SettingsStatus::Applied) << error;
    for (int i = 0; i < plugin->ParameterCount(); ++i)
    {
      const std::string name = plugin->Parameter(i).name;
      if (name.rfind("Preset", 0) == 0)
        continue;
      EXPECT_NEAR(plugin->Normalized(i), reference->Normalized(i), 1e-6) << name;
    }
  }

  std::unique_ptr<PluginInstance> plugin;
  OffscreenEditor* editor = nullptr;
};

TEST_P(EditorSession, OpensAtTheReportedSizeAndDrawsAtItsFirstTick)
{
  OffscreenEditor& open = Open();
  EXPECT_TRUE(open.IsOpen());
  EXPECT_EQ(open.ReportedWidth(), 500);
  EXPECT_EQ(open.ReportedHeight(), 480);
  EXPECT_EQ(open.Width(), 500);
  EXPECT_EQ(open.Height(), 480);
  EXPECT_EQ(open.FramesPerSecond(), 25);
  std::vector<uint32_t> pixels;
  EXPECT_FALSE(open.ReadPixels(pixels)) << "nothing is drawn before the first tick";
  EXPECT_TRUE(open.Tick());
  EXPECT_FALSE(open.Tick()) << "nothing changed since";
  ASSERT_TRUE(open.ReadPixels(pixels));
  EXPECT_EQ(pixels.size(), 500u * 480u);
}

TEST_P(EditorSession, ClickingTheEffectSwitchTurnsTheEffectOnAndLightsTheSwitch)
{
  const uint32_t dark = ArtworkPixel(kSwitchImage, kSwitchX - kSwitchLeft, kSwitchY - kSwitchTop);
  const uint32_t lit =
      ArtworkPixel(kSwitchImage, kSwitchX - kSwitchLeft, kSwitchY - kSwitchTop + 26);
  // Opaque artwork covers what lies below it, so the screen shows it unchanged.
  ASSERT_EQ(dark >> 24, 0xFFu);
  ASSERT_EQ(lit >> 24, 0xFFu);
  ASSERT_NE(dark, lit);

  Open();
  EXPECT_EQ(Shown().At(kSwitchX, kSwitchY), dark);
  EXPECT_EQ(Value("MainFxOffOn"), 0.0);
  Click(kSwitchX, kSwitchY);
  EXPECT_EQ(Value("MainFxOffOn"), 1.0);
  EXPECT_EQ(Shown().At(kSwitchX, kSwitchY), lit);

  // Closed and opened again, the editor shows the value it kept.
  plugin->CloseEditor();
  editor = nullptr;
  Open();
  EXPECT_EQ(Shown().At(kSwitchX, kSwitchY), lit);
  Click(kSwitchX, kSwitchY);
  EXPECT_EQ(Value("MainFxOffOn"), 0.0);
  EXPECT_EQ(Shown().At(kSwitchX, kSwitchY), dark);
}

TEST_P(EditorSession, DraggingAKnobUpByItsHeightRaisesItByAQuarterOfItsTravel)
{
  OffscreenEditor& open = Open();
  const double before = Value("QuillwaveCenter");
  ASSERT_LE(before, 0.75);
  EXPECT_TRUE(open.Press(115, 223, 0));
  EXPECT_TRUE(open.Drag(115, 203, 0));
  EXPECT_TRUE(open.Drag(115, 183, 0));
  EXPECT_TRUE(open.Release(115, 183, 0));
  EXPECT_NEAR(Value("QuillwaveCenter"), before + 0.25, 1e-6);
}

TEST_P(EditorSession, ChoosingAFactoryPresetInTheMenuLoadsIt)
{
  OffscreenEditor& open = Open();
  const Picture before = Shown();
  MenuChoice choice;
  choice.path = {"Factory > Chorus", "CHRS - Clean Chorus B"};
  open.AnswerMenu(choice);
  Click(250, 50);
  EXPECT_EQ(open.TakeProblems(), std::vector<std::string>{});
  ExpectPresetValues("CHRS - Clean Chorus B");
  EXPECT_EQ(Value("PresetSelector"),
            plugin->Parameter(FindParameter(*plugin, "PresetSelector")).defaultNormalized);
  const Picture after = Shown();
  EXPECT_FALSE(after.SameArea(before, 60, 43, 440, 65)) << "the preset name changed";

  // The same item by its menu's title and index.
  choice = MenuChoice{};
  choice.title = "Factory > Flanger";
  choice.index = 0;
  open.AnswerMenu(choice);
  Click(250, 50);
  EXPECT_EQ(open.TakeProblems(), std::vector<std::string>{});
  ExpectPresetValues("FLNG - Clean Flanger A");
}

TEST_P(EditorSession, AMenuAnswerThatMatchesNothingChoosesNothingAndSaysSo)
{
  OffscreenEditor& open = Open();
  const double before = Value("QuillwaveRate");
  MenuChoice choice;
  choice.path = {"Factory > Chorus", "No Such Preset"};
  open.AnswerMenu(choice);
  Click(250, 50);
  Click(250, 50);
  const std::vector<std::string> problems = open.TakeProblems();
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_NE(problems[0].find("\"No Such Preset\""), std::string::npos) << problems[0];
  EXPECT_NE(problems[0].find("CHRS - Clean Chorus A"), std::string::npos) << problems[0];
  EXPECT_NE(problems[1].find("no answer"), std::string::npos) << problems[1];
  EXPECT_EQ(Value("QuillwaveRate"), before);
}

TEST_P(EditorSession, TheFileButtonsLoadAndSaveTheFilesTheDialogsAnswer)
{
  OffscreenEditor& open = Open();
  open.AnswerFile(Factory("FLNG - Saturation Flanger B"));
  Click(10, 50);
  ExpectPresetValues("FLNG - Saturation Flanger B");

  const std::string saved = Path("Mine.quillwavepreset");
  open.AnswerFile(saved);
  Click(480, 50);
  EXPECT_TRUE(fs::exists(saved));
  EXPECT_GT(fs::file_size(saved), 0u);

  // A cancelled dialog loads nothing.
  open.AnswerFile("");
  Click(5, 45);
  EXPECT_EQ(open.TakeProblems(), std::vector<std::string>{});
  ExpectPresetValues("FLNG - Saturation Flanger B");

  // What was saved loads into a new instance as the same sound.
  auto reloaded = Load();
  PluginSettings settings;
  settings.presetPath = saved;
  std::string error;
  ASSERT_EQ(ApplySettings(*reloaded, settings, error), SettingsStatus::Applied) << error;
  for (const char* name : {"QuillwaveRate", "QuillwaveFeedback", "SaturationGain"})
    EXPECT_NEAR(reloaded->Normalized(FindParameter(*reloaded, name)), Value(name), 1e-6) << name;
}

// A host that sends every edit the editor reports back to the plug-in with its next block, as
// VST3 hosts keep processor and controller in step, and a click that lasts several blocks:
// one click steps once, and a menu choice loads once.
TEST_P(EditorSession, OneClickIsOneActionInAHostThatEchoesEdits)
{
  std::string error;
  ASSERT_TRUE(plugin->Prepare(48000.0, 256, SamplePrecision::Double, error)) << error;
  plugin->EchoEditorEdits(true);
  OffscreenEditor& open = Open();
  std::vector<double> in(256, 0.0), out[2] = {std::vector<double>(256), std::vector<double>(256)};
  const double* inputs[2] = {in.data(), in.data()};
  double* outputs[2] = {out[0].data(), out[1].data()};
  const auto blocks = [&] {
    for (int b = 0; b < 4; ++b)
      plugin->Process(inputs, outputs, 256);
  };
  const auto slowClick = [&](int x, int y) {
    EXPECT_TRUE(open.Press(x, y, 0));
    blocks();
    EXPECT_TRUE(open.Release(x, y, 0));
    blocks();
  };

  slowClick(450, 50);
  ExpectPresetValues("WLCM - The Modder");
  slowClick(450, 50);
  ExpectPresetValues("CHRS - Clean Chorus A");
  slowClick(45, 50);
  ExpectPresetValues("WLCM - The Modder");

  MenuChoice choice;
  choice.path = {"Factory > Chorus", "CHRS - Clean Chorus B"};
  open.AnswerMenu(choice);
  slowClick(250, 50);
  EXPECT_EQ(open.TakeProblems(), std::vector<std::string>{});
  ExpectPresetValues("CHRS - Clean Chorus B");
  slowClick(450, 50);
  ExpectPresetValues("CHRS - Clean Chorus C");
}

INSTANTIATE_TEST_SUITE_P(BothModules, EditorSession,
                         ::testing::Values(QUILLWAVE_VST3_BUNDLE, QUILLWAVE_VST2_MODULE),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.index == 0 ? "VST3" : "VST2");
                         });

}  // namespace
}  // namespace snapshottest
