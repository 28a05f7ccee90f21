// quillwave-render: processes an audio file through a Quillwave module, driving the module
// through its entry points exactly as a host does.

#include <CLI/CLI.hpp>
#include <unistd.h>

#include <fstream>
#include <iostream>

#include "tools/pluginhost/PluginInstance.h"
#include "tools/audiofile/AudioFile.h"
#include "tools/render/Render.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/Resample.h"

namespace {

// Exit codes: a usage error is told apart from a failure while working.
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int Fail(int code, const std::string& message) {
  std::cerr << "quillwave-render: " << message << "\n";
  return code;
}

bool WriteBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  RenderOptions options;
  std::vector<std::string> settings;
  std::vector<std::string> controllers;
  std::string precision = "double";

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
  app.footer("Exit codes: 0 done, 1 a module or file failed, 2 a usage error or bad value.");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : kExitUsage;
  }
  options.precision = precision == "single" ? SamplePrecision::Single : SamplePrecision::Double;
  std::string error;
  for (const std::string& text : settings) {
    ParameterSetting setting;
    if (!ParseParameterSetting(text, setting, error)) return Fail(kExitUsage, error);
    options.settings.values.push_back(setting);
  }
  for (const std::string& text : controllers) {
    TimedController controller;
    if (!ParseTimedController(text, controller, error)) return Fail(kExitUsage, error);
    options.controllers.push_back(controller);
  }
  if (!options.info && (options.inputPath.empty() || options.outputPath.empty()))
    return Fail(kExitUsage, "an input and an output file are needed (or --info)");

  auto plugin = LoadPluginModule(options.modulePath, error);
  if (!plugin) return Fail(kExitFailure, error);
  if (options.info) {
    PrintModuleInfo(*plugin, std::cout);
    return 0;
  }

  StereoAudio audio;
  if (!ReadAudioFile(options.inputPath, audio, error)) return Fail(kExitFailure, error);
  if (options.sampleRate > 0.0 && !Resample(audio, options.sampleRate, error))
    return Fail(kExitFailure, error);
  if (!plugin->Prepare(audio.sampleRate, options.blockSize, options.precision, error))
    return Fail(kExitFailure, error);
  const SettingsStatus applied = ApplySettings(*plugin, options.settings, error);
  if (applied != SettingsStatus::Applied)
    return Fail(applied == SettingsStatus::UnknownParameter ? kExitUsage : kExitFailure, error);
  if (!RenderAudio(*plugin, options, audio, std::cerr, isatty(STDERR_FILENO) != 0, error)) return Fail(kExitUsage, error);
  if (!options.stateOut.empty() && !WriteBinaryFile(options.stateOut, plugin->SaveState()))
    return Fail(kExitFailure, "cannot write the state file " + options.stateOut);
  if (!WriteAudioFile(options.outputPath, audio, error)) return Fail(kExitFailure, error);
  std::cout << "Wrote " << options.outputPath << " (" << audio.Frames() << " frames at "
            << audio.sampleRate << " Hz)\n";
  return 0;
}
