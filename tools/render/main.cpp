// quillwave-render: processes an audio file through a Quillwave module, driving the module
// through its entry points exactly as a host does. The file streams through block by block,
// so its length does not matter, and the output appears under its name only when complete.

#include <CLI/CLI.hpp>
#include <unistd.h>

#include <fstream>
#include <iostream>

#include "tools/audiofile/AudioFile.h"
#include "tools/pluginhost/PluginInstance.h"
#include "tools/render/BlockSource.h"
#include "tools/render/Interruption.h"
#include "tools/render/ProgressBar.h"
#include "tools/render/Render.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/TemporaryOutput.h"

namespace
{

// Exit codes: a usage error is told apart from a failure while working.
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;

int Fail(int code, const std::string& message)
{
  std::cerr << "quillwave-render: " << message << "\n";
  return code;
}

bool WriteBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv)
{
  RenderOptions options;
  std::vector<std::string> settings;
  std::vector<std::string> controllers;
  std::string precision = "double";
  bool quiet = false;

  CLI::App app{"Processes an audio file through a Quillwave VST3 bundle or VST2 module."};
  app.add_option("module", options.modulePath, "the .vst3 bundle or the VST2 .so")->required();
  app.add_option("input", options.inputPath, "audio file to process (WAV, AIFF, FLAC, ...)");
  app.add_option("output", options.outputPath, "stereo file to write (.wav, .aiff or .flac)");
  app.add_flag("--info", options.info, "list parameters, programs and buses, then stop");
  app.add_option("-b,--block-size", options.blockSize, "frames per process call")
      ->check(CLI::Range(1, 65536))
      ->capture_default_str();
  app.add_option("-r,--sample-rate", options.sampleRate,
                 "process at this rate (the input is converted); default: the file's rate")
      ->check(CLI::Range(1000.0, 768000.0));
  app.add_option("--precision", precision, "sample precision of the process call")
      ->check(CLI::IsMember({"single", "double"}))
      ->capture_default_str();
  app.add_option("--tempo", options.tempo, "host tempo in beats per minute")
      ->check(CLI::Range(0.0, 10000.0))
      ->capture_default_str();
  app.add_option("--set", settings, "NAME=VALUE in the parameter's plain units (repeatable)");
  app.add_option("--preset", options.settings.presetPath, "a .quillwavepreset file to apply");
  app.add_option("--state-in", options.settings.stateIn,
                 "host state blob to restore before processing");
  app.add_option("--state-out", options.stateOut, "write the host state blob after processing");
  app.add_option("--cc", controllers,
                 "SECONDS:CONTROLLER=VALUE, a controller message on MIDI channel 1 (repeatable)");
  app.add_flag("-q,--quiet", quiet, "no progress bar (it is shown only on a terminal anyway)");
  app.footer("Exit codes: 0 done, 1 a module or file failed, 2 a usage error or bad value, 130 "
             "interrupted (nothing is written then).");

  try
  {
    app.parse(argc, argv);
  }
  catch (const CLI::ParseError& e)
  {
    const int code = app.exit(e);
    return code == 0 ? 0 : kExitUsage;
  }
  options.precision = precision == "single" ? SamplePrecision::Single : SamplePrecision::Double;
  std::string error;
  for (const std::string& text : settings)
  {
    ParameterSetting setting;
    if (!ParseParameterSetting(text, setting, error))
      return Fail(kExitUsage, error);
    options.settings.values.push_back(setting);
  }
  for (const std::string& text : controllers)
  {
    TimedController controller;
    if (!ParseTimedController(text, controller, error))
      return Fail(kExitUsage, error);
    options.controllers.push_back(controller);
  }
  if (!options.info && (options.inputPath.empty() || options.outputPath.empty()))
    return Fail(kExitUsage, "an input and an output file are needed (or --info)");

  auto plugin = LoadPluginModule(options.modulePath, error);
  if (!plugin)
    return Fail(kExitFailure, error);
  if (options.info)
  {
    PrintModuleInfo(*plugin, std::cout);
    return 0;
  }

  BlockSource source;
  if (!source.Open(options.inputPath, options.sampleRate, error))
    return Fail(kExitFailure, error);
  if (!plugin->Prepare(source.SampleRate(), options.blockSize, options.precision, error))
    return Fail(kExitFailure, error);
  const SettingsStatus applied = ApplySettings(*plugin, options.settings, error);
  if (applied != SettingsStatus::Applied)
    return Fail(applied == SettingsStatus::UnknownParameter ? kExitUsage : kExitFailure, error);
  if (!CheckControllers(*plugin, options, error))
    return Fail(kExitUsage, error);

  CatchInterruptions();
  TemporaryOutput output;
  AudioFileWriter writer;
  const int descriptor = output.Create(options.outputPath, error);
  if (descriptor < 0 || !writer.Open(options.outputPath, source.SampleRate(), error, descriptor))
    return Fail(kExitFailure, error);
  ProgressBar progress(std::cerr, !quiet && isatty(STDERR_FILENO) != 0);
  uint64_t frames = 0;
  const RenderStatus status =
      RenderStream(*plugin, options, source, writer, progress, frames, error);
  if (status == RenderStatus::Interrupted)
    return Fail(kExitInterrupted, "interrupted; " + options.outputPath + " was not written");
  if (status == RenderStatus::Failed || !writer.Close(error))
    return Fail(kExitFailure, error);
  if (!options.stateOut.empty() && !WriteBinaryFile(options.stateOut, plugin->SaveState()))
    return Fail(kExitFailure, "cannot write the state file " + options.stateOut);
  if (!output.Commit(error))
    return Fail(kExitFailure, error);
  std::cout << "Wrote " << options.outputPath << " (" << frames << " frames at "
            << source.SampleRate() << " Hz)\n";
  return 0;
}
