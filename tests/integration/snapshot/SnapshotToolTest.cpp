// Runs quillwave-snapshot as a user would: what it writes, and its answers to bad input.

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/integration/snapshot/SnapshotTestSupport.h"
#include "tests/support/CommandRun.h"
#include "tools/pluginhost/PluginInstance.h"
#include "tools/pluginhost/PluginSettings.h"

namespace snapshottest
{
namespace
{

using Tool = CommandRun;

// In a sanitizer build the tool unloads its module before it exits, which loses the
// allocations ResidentModules.cpp describes; its leaks are checked in this process instead,
// by the editor session tests on the same code.
Tool RunTool(const std::string& arguments)
{
  return RunCommand("ASAN_OPTIONS=detect_leaks=0 " + std::string(QUILLWAVE_SNAPSHOT) + " " +
                    arguments);
}

std::string Quoted(const std::string& text)
{
  return "'" + text + "'";
}

class SnapshotTool : public EditorFolder
{
protected:
  // Runs the tool on `module` and reads the picture it wrote.
  Picture Snapshot(const std::string& module, const std::string& options)
  {
    const std::string output = Path("editor.png");
    std::remove(output.c_str());
    const Tool tool = RunTool(module + " " + Quoted(output) + " " + options);
    EXPECT_EQ(tool.exitCode, 0) << options << "\n" << tool.output;
    return ReadPng(output);
  }
};

TEST_F(SnapshotTool, WritesTheWholeEditorFromEitherModule)
{
  const Picture vst3 = Snapshot(QUILLWAVE_VST3_BUNDLE, "");
  const Picture vst2 = Snapshot(QUILLWAVE_VST2_MODULE, "");
  ASSERT_EQ(vst3.width, 500);
  ASSERT_EQ(vst3.height, 480);
  EXPECT_TRUE(vst3.pixels == vst2.pixels) << "both modules show the same editor";
  // The switch artwork is opaque, and the PNG carries no alpha.
  EXPECT_EQ(
      vst3.At(kSwitchX, kSwitchY),
      ArtworkPixel("qv_button_0030_white.png", kSwitchX - kSwitchLeft, kSwitchY - kSwitchTop));
}

TEST_F(SnapshotTool, AClickOnTheEffectSwitchShowsWhatSettingTheParameterShows)
{
  for (const std::string module : {QUILLWAVE_VST3_BUNDLE, QUILLWAVE_VST2_MODULE})
  {
    SCOPED_TRACE(module);
    const Picture off = Snapshot(module, "");
    std::ofstream(Path("click.txt")) << "# the effect switch\nclick 250 307\n\ntick 2\n";
    const Picture clicked = Snapshot(module, "--script " + Quoted(Path("click.txt")));
    const Picture set = Snapshot(module, "--set MainFxOffOn=1");
    EXPECT_NE(clicked.At(kSwitchX, kSwitchY), off.At(kSwitchX, kSwitchY));
    EXPECT_TRUE(clicked.pixels == set.pixels);
    // A second click turns it off again.
    const Picture twice =
        Snapshot(module, "--script " + Quoted(Path("click.txt")) + " --do 'click 250 307'");
    EXPECT_TRUE(twice.pixels == off.pixels);
  }
}

TEST_F(SnapshotTool, AFactoryPresetChosenInTheMenuChangesTheNameAndTheKnobs)
{
  const std::string module = QUILLWAVE_VST3_BUNDLE;
  const Picture initial = Snapshot(module, "");
  const Picture chosen = Snapshot(
      module, "--do 'menu \"Factory > Chorus\" \"CHRS - Clean Chorus B\"' --do 'click 250 50'");
  const Picture byIndex =
      Snapshot(module, "--do 'menuitem \"Factory > Chorus\" 1' --do 'click 250 50'");
  const Picture fromFile = Snapshot(module, "--preset " + Quoted(Factory("CHRS - Clean Chorus B")));

  // The preset name's line and the centre knob both show the new sound.
  EXPECT_FALSE(chosen.SameArea(initial, 60, 43, 440, 65));
  EXPECT_FALSE(chosen.SameArea(initial, 95, 203, 135, 243));
  EXPECT_TRUE(chosen.pixels == byIndex.pixels);
  // Applied by the host the preset sets the same knobs but names no preset.
  EXPECT_TRUE(chosen.SameArea(fromFile, 0, 80, 500, 480));
  EXPECT_TRUE(fromFile.SameArea(initial, 60, 43, 440, 65));
}

TEST_F(SnapshotTool, AStateBlobShowsTheValuesItHolds)
{
  std::string error;
  auto plugin = LoadPluginModule(QUILLWAVE_VST2_MODULE, error);
  ASSERT_NE(plugin, nullptr) << error;
  PluginSettings settings;
  settings.values = {{"MainFxOffOn", 1.0}};
  ASSERT_EQ(ApplySettings(*plugin, settings, error), SettingsStatus::Applied) << error;
  const std::vector<uint8_t> state = plugin->SaveState();
  std::ofstream(Path("state.bin"), std::ios::binary)
      .write(reinterpret_cast<const char*>(state.data()),
             static_cast<std::streamsize>(state.size()));

  const Picture restored =
      Snapshot(QUILLWAVE_VST2_MODULE, "--state-in " + Quoted(Path("state.bin")));
  const Picture set = Snapshot(QUILLWAVE_VST2_MODULE, "--set MainFxOffOn=1");
  EXPECT_TRUE(restored.pixels == set.pixels);
}

TEST_F(SnapshotTool, BadInputGivesAClearErrorAndExitCode)
{
  const std::string vst2 = QUILLWAVE_VST2_MODULE;
  const std::string out = " " + Quoted(Path("out.png"));
  std::ofstream(Path("bad.txt")) << "click 250 307\npress 10\n";
  const struct
  {
    std::string arguments;
    int exitCode;
    const char* message;
  } cases[] = {
      {Quoted(Path("missing.vst3")) + out, 1, "no plug-in module"},
      {Quoted(Path("bad.txt")) + out, 1, "cannot load"},
      {vst2 + out + " --set NoSuchKnob=1", 2, "unknown parameter 'NoSuchKnob'"},
      {vst2 + out + " --set QuillwaveRate=fast", 2, "bad value"},
      {vst2 + out + " --script " + Quoted(Path("bad.txt")), 2, "bad.txt:2: press needs"},
      {vst2 + out + " --script " + Quoted(Path("none.txt")), 1, "cannot read the script"},
      {vst2 + out + " --do 'jump 1 2'", 2, "unknown step 'jump'"},
      {vst2 + out + " --do 'click 1 2 hyper'", 2, "unknown modifier 'hyper'"},
      {vst2 + out + " --do 'menu \"Factory'", 2, "not closed"},
      {vst2 + out + " --do 'tick 0'", 2, "tick takes"},
      {vst2 + out + " --do 'click 250 50'", 1, "popup menu opened with no answer"},
      {vst2 + out + " --do 'menu Nothing' --do 'click 250 50'", 1, "has no item \"Nothing\""},
      {vst2 + out + " --do 'file /tmp/x.quillwavepreset'", 1, "no file dialog opened"},
      {vst2 + " " + Quoted(Path("no/such/folder/out.png")), 1, "cannot write"},
      {vst2, 2, "output"},
  };
  for (const auto& c : cases)
  {
    const Tool tool = RunTool(c.arguments);
    EXPECT_EQ(tool.exitCode, c.exitCode) << c.arguments << "\n" << tool.output;
    EXPECT_NE(tool.output.find(c.message), std::string::npos) << c.arguments << "\n" << tool.output;
  }
  EXPECT_FALSE(fs::exists(Path("out.png"))) << "no failed run leaves a picture";
}

}  // namespace
}  // namespace snapshottest
