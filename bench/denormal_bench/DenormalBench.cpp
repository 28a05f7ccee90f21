// Cost of a process call in the tail of a sound: after a loud burst and a
// minute of silence at full feedback, every recursive memory of the signal
// path has decayed towards the denormal range, where unflushed arithmetic
// would run many times slower. The figure per block is set against the
// steady cost of processing music at the same settings; 1.2 is the budget.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/CounterSummary.h"
#include "tools/pluginhost/PluginInstance.h"

namespace
{

constexpr double kSampleRate = 48000.0;
constexpr int32_t kBlock = 512;
constexpr int kSilentMinute = static_cast<int>(60.0 * kSampleRate / kBlock);

// A flanger at full feedback with the saturator and a low-pass tone: every
// memory of the engine recirculates.
const std::map<std::string, double> kSettings = {{"MainFxOffOn", 1.0},       {"QuillwaveMode", 1.0},
                                                 {"QuillwaveFeedback", 1.0}, {"QuillwaveRate", 0.5},
                                                 {"SaturationGain", 0.5},    {"FilterTone", 0.2}};

class Signal
{
public:
  // A chord of four sines at `gain`.
  void Fill(double gain)
  {
    for (int32_t n = 0; n < kBlock; ++n, ++position)
    {
      const double t = static_cast<double>(position) / kSampleRate;
      left[n] = gain * (0.4 * std::sin(2 * M_PI * 220 * t) + 0.3 * std::sin(2 * M_PI * 330 * t));
      right[n] = gain * (0.4 * std::sin(2 * M_PI * 277 * t) + 0.3 * std::sin(2 * M_PI * 415 * t));
    }
  }
  void Silence()
  {
    std::fill(left.begin(), left.end(), 0.0);
    std::fill(right.begin(), right.end(), 0.0);
  }
  void Process(PluginInstance& plugin)
  {
    const double* inputs[2] = {left.data(), right.data()};
    double* outputs[2] = {outLeft.data(), outRight.data()};
    plugin.Process(inputs, outputs, kBlock);
  }

private:
  int64_t position = 0;
  std::vector<double> left = std::vector<double>(kBlock), right = std::vector<double>(kBlock);
  std::vector<double> outLeft = std::vector<double>(kBlock), outRight = std::vector<double>(kBlock);
};

std::unique_ptr<PluginInstance> Prepared(benchmark::State& state, const char* module)
{
  std::string error;
  auto plugin = LoadPluginModule(module, error);
  if (!plugin || !plugin->Prepare(kSampleRate, kBlock, SamplePrecision::Double, error))
  {
    state.SkipWithError(error.c_str());
    return nullptr;
  }
  for (int i = 0; i < plugin->ParameterCount(); ++i)
  {
    const auto setting = kSettings.find(plugin->Parameter(i).name);
    if (setting != kSettings.end())
      plugin->SetNormalized(i, setting->second);
  }
  return plugin;
}

void ReportPerBlock(benchmark::State& state)
{
  state.counters["per_block"] =
      benchmark::Counter(static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void Steady(benchmark::State& state, const char* module)
{
  auto plugin = Prepared(state, module);
  if (!plugin)
    return;
  Signal signal;
  for (auto _ : state)
  {
    signal.Fill(1.0);
    signal.Process(*plugin);
  }
  ReportPerBlock(state);
}

void AfterSilence(benchmark::State& state, const char* module)
{
  auto plugin = Prepared(state, module);
  if (!plugin)
    return;
  Signal signal;
  // A second of the chord at full scale and beyond, then the minute of silence.
  for (int block = 0; block < static_cast<int>(kSampleRate / kBlock); ++block)
  {
    signal.Fill(2.0);
    signal.Process(*plugin);
  }
  signal.Silence();
  for (int block = 0; block < kSilentMinute; ++block)
    signal.Process(*plugin);
  for (auto _ : state)
    signal.Process(*plugin);
  ReportPerBlock(state);
}

void Vst3Steady(benchmark::State& state)
{
  Steady(state, QUILLWAVE_VST3_BUNDLE);
}
void Vst3AfterSilence(benchmark::State& state)
{
  AfterSilence(state, QUILLWAVE_VST3_BUNDLE);
}
void Vst2Steady(benchmark::State& state)
{
  Steady(state, QUILLWAVE_VST2_MODULE);
}
void Vst2AfterSilence(benchmark::State& state)
{
  AfterSilence(state, QUILLWAVE_VST2_MODULE);
}

BENCHMARK(Vst3Steady);
BENCHMARK(Vst3AfterSilence);
BENCHMARK(Vst2Steady);
BENCHMARK(Vst2AfterSilence);

}  // namespace

// After the run: each module's tail cost relative to its steady cost.
int main(int argc, char** argv)
{
  return RunBenchmarksWithSummary(argc, argv, "per_block", [](const auto& perBlock) {
    std::printf("\nCost per block after a burst and a silent minute, relative to the steady cost "
                "(1.2 is the budget):\n");
    for (const std::string module : {"Vst3", "Vst2"})
    {
      const auto steady = perBlock.find(module + "Steady");
      const auto tail = perBlock.find(module + "AfterSilence");
      if (steady != perBlock.end() && tail != perBlock.end() && steady->second > 0.0)
        std::printf("  %s: %.2f us steady, %.2f us after silence, ratio %.3f\n", module.c_str(),
                    steady->second * 1e6, tail->second * 1e6, tail->second / steady->second);
    }
  });
}
