#pragma once

#include "tools/pluginhost/PluginInstance.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// One of the two modules in one sample precision, as a parameterised test
// case names it.
struct ModuleCase
{
  const char* label;
  const char* path;
  SamplePrecision precision;
};

// Test output names the case by its label.
inline void PrintTo(const ModuleCase& module, std::ostream* out)
{
  *out << module.label;
}

// Both modules in both precisions; the paths come from the build.
std::vector<ModuleCase> AllModuleCases();
// Both modules, double precision only.
std::vector<ModuleCase> ModuleCasesInDouble();
std::string ModuleCaseName(const ::testing::TestParamInfo<ModuleCase>& info);

// A loaded, prepared instance with stereo buffers of the prepared precision
// and a deterministic test signal: a loud chord of two sines per channel.
class ModuleHost
{
public:
  static constexpr double kSampleRate = 48000.0;
  static constexpr int32_t kMaxBlock = 512;

  explicit ModuleHost(const ModuleCase& module);

  // False, with the reason in Error(), when the module did not load or prepare.
  bool Ready() const { return plugin != nullptr; }
  const std::string& Error() const { return error; }
  PluginInstance& Plugin() { return *plugin; }

  // The host index of the parameter called `name`, or -1.
  int IndexOf(const std::string& name) const;

  // Processes `frames` (at most kMaxBlock) of the test signal, scaled by
  // `gain`, continuing where the last block stopped; or of `sample` in
  // every input sample.
  void ProcessSignal(int32_t frames, double gain = 1.0);
  void ProcessConstant(int32_t frames, double sample);

  // The next ProcessSignal starts the test signal from its beginning.
  void RestartSignal() { position = 0; }

  // The outputs of the last block, widened to double, left then right.
  std::vector<double> LastOutput(int32_t frames) const;

private:
  void Run(int32_t frames);

  std::string error;
  std::unique_ptr<PluginInstance> plugin;
  SamplePrecision precision;
  int64_t position = 0;
  std::vector<double> input[2];
  std::vector<double> output[2];
  std::vector<float> inputFloat[2];
  std::vector<float> outputFloat[2];
};
