#include "tests/hardening/ModuleHost.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace
{
// What a single-precision host holds for a sample: finite values beyond the
// float range saturate, as that conversion is otherwise undefined.
float ToHostFloat(double sample)
{
  if (std::isfinite(sample))
    return static_cast<float>(
        std::clamp(sample, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
  return static_cast<float>(sample);
}
}  // namespace

std::vector<ModuleCase> AllModuleCases()
{
  return {{"Vst3Double", QUILLWAVE_VST3_BUNDLE, SamplePrecision::Double},
          {"Vst3Single", QUILLWAVE_VST3_BUNDLE, SamplePrecision::Single},
          {"Vst2Double", QUILLWAVE_VST2_MODULE, SamplePrecision::Double},
          {"Vst2Single", QUILLWAVE_VST2_MODULE, SamplePrecision::Single}};
}

std::vector<ModuleCase> ModuleCasesInDouble()
{
  return {{"Vst3", QUILLWAVE_VST3_BUNDLE, SamplePrecision::Double},
          {"Vst2", QUILLWAVE_VST2_MODULE, SamplePrecision::Double}};
}

std::string ModuleCaseName(const ::testing::TestParamInfo<ModuleCase>& info)
{
  return info.param.label;
}

ModuleHost::ModuleHost(const ModuleCase& module) : precision(module.precision)
{
  for (int channel = 0; channel < 2; ++channel)
  {
    input[channel].assign(kMaxBlock, 0.0);
    output[channel].assign(kMaxBlock, 0.0);
    inputFloat[channel].assign(kMaxBlock, 0.0f);
    outputFloat[channel].assign(kMaxBlock, 0.0f);
  }
  std::unique_ptr<PluginInstance> loaded = LoadPluginModule(module.path, error);
  if (loaded && loaded->Prepare(kSampleRate, kMaxBlock, precision, error))
    plugin = std::move(loaded);
}

int ModuleHost::IndexOf(const std::string& name) const
{
  for (int i = 0; i < plugin->ParameterCount(); ++i)
  {
    if (plugin->Parameter(i).name == name)
      return i;
  }
  return -1;
}

void ModuleHost::ProcessSignal(int32_t frames, double gain)
{
  for (int32_t n = 0; n < frames; ++n)
  {
    const double t = static_cast<double>(position + n) / kSampleRate;
    input[0][n] =
        gain * (0.5 * std::sin(2.0 * M_PI * 220.0 * t) + 0.3 * std::sin(2.0 * M_PI * 331.0 * t));
    input[1][n] =
        gain * (0.5 * std::sin(2.0 * M_PI * 277.0 * t) + 0.3 * std::sin(2.0 * M_PI * 415.0 * t));
  }
  position += frames;
  Run(frames);
}

void ModuleHost::ProcessConstant(int32_t frames, double sample)
{
  for (int channel = 0; channel < 2; ++channel)
    std::fill_n(input[channel].begin(), frames, sample);
  position += frames;
  Run(frames);
}

void ModuleHost::Run(int32_t frames)
{
  if (precision == SamplePrecision::Double)
  {
    const double* inputs[2] = {input[0].data(), input[1].data()};
    double* outputs[2] = {output[0].data(), output[1].data()};
    plugin->Process(inputs, outputs, frames);
    return;
  }
  for (int channel = 0; channel < 2; ++channel)
  {
    for (int32_t n = 0; n < frames; ++n)
      inputFloat[channel][n] = ToHostFloat(input[channel][n]);
  }
  const float* inputs[2] = {inputFloat[0].data(), inputFloat[1].data()};
  float* outputs[2] = {outputFloat[0].data(), outputFloat[1].data()};
  plugin->Process(inputs, outputs, frames);
}

std::vector<double> ModuleHost::LastOutput(int32_t frames) const
{
  std::vector<double> samples;
  for (int channel = 0; channel < 2; ++channel)
  {
    for (int32_t n = 0; n < frames; ++n)
      samples.push_back(precision == SamplePrecision::Double ? output[channel][n]
                                                             : outputFloat[channel][n]);
  }
  return samples;
}
