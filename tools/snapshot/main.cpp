// quillwave-snapshot: opens the editor of a Quillwave module off-screen, driving the module
// through its entry points as a host does, replays mouse input and dialog answers on it and
// writes what the editor shows as a PNG file.

#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "tools/pluginhost/PluginInstance.h"
#include "tools/pluginhost/PluginSettings.h"
#include "tools/snapshot/SnapshotPlayer.h"
#include "tools/snapshot/SnapshotPng.h"
#include "tools/snapshot/SnapshotScript.h"

namespace
{

// Exit codes: a usage error is told apart from a failure while working.
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The block a host processes before it shows the editor, so that values set through the
// host reach the plug-in and its editor as they do in a running song.
constexpr double kSampleRate = 44100.0;
constexpr int32_t kSettleFrames = 64;

int Fail(int code, const std::string& message)
{
  std::cerr << "quillwave-snapshot: " << message << "\n";
  return code;
}

bool ReadTextFile(const std::string& path, std::string& text)
{
  std::ifstream file(path, std::ios::binary);
  if (!file)
    return false;
  text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

void Settle(PluginInstance& plugin)
{
  std::vector<double> silence[2] = {std::vector<double>(kSettleFrames),
                                    std::vector<double>(kSettleFrames)};
  std::vector<double> output[2] = {std::vector<double>(kSettleFrames),
                                   std::vector<double>(kSettleFrames)};
  const double* inputs[2] = {silence[0].data(), silence[1].data()};
  double* outputs[2] = {output[0].data(), output[1].data()};
  plugin.Process(inputs, outputs, kSettleFrames);
}

}  // namespace

int main(int argc, char** argv)
{
  std::string modulePath;
  std::string outputPath;
  PluginSettings settings;
  std::vector<std::string> values;
  std::string scriptPath;
  std::vector<std::string> doSteps;

  CLI::App app{"Writes the editor of a Quillwave VST3 bundle or VST2 module as a PNG file."};
  app.add_option("module", modulePath, "the .vst3 bundle or the VST2 .so")->required();
  app.add_option("output", outputPath, "the PNG file to write")->required();
  app.add_option("--state-in", settings.stateIn, "host state blob to restore first");
  app.add_option("--preset", settings.presetPath, "a .quillwavepreset file to apply");
  app.add_option("--set", values, "NAME=VALUE in the parameter's plain units (repeatable)");
  app.add_option("--script", scriptPath, "a file of steps to replay on the editor");
  app.add_option("--do", doSteps, "one more step, after the script's (repeatable)");
  app.footer(
      "Steps, one per line or --do (X Y in editor pixels; MODIFIERS: shift ctrl alt right):\n"
      "  press|drag|release|click|doubleclick X Y [MODIFIERS]   wheel X Y STEPS [MODIFIERS]\n"
      "  key X Y KEY                       a key: space up down left right 0-9 A-Z\n"
      "  menu TEXT [TEXT ...]              answer the next popup menu with the item reached\n"
      "                                    through these item texts, e.g.\n"
      "                                    menu \"Factory > Chorus\" \"CHRS - Clean Chorus B\"\n"
      "  menuitem TITLE INDEX              ... with item INDEX (from 0) of the menu TITLE\n"
      "  file PATH | cancel                answer the next file dialog\n"
      "  text VALUE                        answer the next text entry\n"
      "  tick [COUNT]                      run the 40 ms redraw timer\n"
      "Answers are given before the click that opens their dialog.\n"
      "Exit codes: 0 done, 1 a module, file or step failed, 2 a usage error or bad value.");

  try
  {
    app.parse(argc, argv);
  }
  catch (const CLI::ParseError& e)
  {
    const int code = app.exit(e);
    return code == 0 ? 0 : kExitUsage;
  }

  std::string error;
  for (const std::string& text : values)
  {
    ParameterSetting setting;
    if (!ParseParameterSetting(text, setting, error))
      return Fail(kExitUsage, error);
    settings.values.push_back(setting);
  }
  std::vector<SnapshotStep> steps;
  if (!scriptPath.empty())
  {
    std::string script;
    if (!ReadTextFile(scriptPath, script))
      return Fail(kExitFailure, "cannot read the script " + scriptPath);
    if (!ParseSnapshotScript(script, scriptPath, steps, error))
      return Fail(kExitUsage, error);
  }
  for (const std::string& step : doSteps)
    if (!ParseSnapshotLine(step, "--do '" + step + "'", steps, error))
      return Fail(kExitUsage, error);

  auto plugin = LoadPluginModule(modulePath, error);
  if (!plugin)
    return Fail(kExitFailure, error);
  if (!plugin->Prepare(kSampleRate, kSettleFrames, SamplePrecision::Double, error))
    return Fail(kExitFailure, error);
  const SettingsStatus applied = ApplySettings(*plugin, settings, error);
  if (applied != SettingsStatus::Applied)
    return Fail(applied == SettingsStatus::UnknownParameter ? kExitUsage : kExitFailure, error);
  Settle(*plugin);

  OffscreenEditor* editor = plugin->OpenEditor(error);
  if (!editor)
    return Fail(kExitFailure, error);
  // A window's first paint.
  editor->Tick();
  for (const SnapshotStep& step : steps)
    if (!PlaySnapshotStep(*editor, step, error))
      return Fail(kExitFailure, error);
  editor->Tick();
  const std::vector<std::string> unused = editor->TakeUnusedAnswers();
  if (!unused.empty())
    return Fail(kExitFailure, unused.front());

  std::vector<uint32_t> pixels;
  if (!editor->ReadPixels(pixels))
    return Fail(kExitFailure, "the editor showed nothing");
  if (!WriteSnapshotPng(outputPath, pixels, editor->Width(), editor->Height(), error))
    return Fail(kExitFailure, error);
  std::cout << "Wrote " << outputPath << " (" << editor->Width() << " x " << editor->Height()
            << ", " << plugin->Format() << " editor)\n";
  return 0;
}
