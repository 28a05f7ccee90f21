// Cost of a whole process call through each module (binding, processing frame, product glue
// and engine) next to the engine called directly, at the same settings and block size.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/CounterSummary.h"
#include "engine/Engine.h"
#include "tools/pluginhost/PluginInstance.h"

namespace
{

constexpr double kSampleRate = 48000.0;
constexpr int32_t kBlock = 512;

// The saturation setting, the engine's most expensive path.
const struct
{
  EngineParam index;
  const char* name;
  double value;
} kSettings[] = {{kMainFxOffOn, "MainFxOffOn", 1.0},
                 {kSaturationGain, "SaturationGain", 0.6},
                 {kFilterTone, "FilterTone", 0.3}};

std::vector<double> TestSignal(double frequency)
{
  std::vector<double> signal(kBlock);
  for (int32_t n = 0; n < kBlock; ++n)
    signal[n] = 0.4 * std::sin(frequency * n);
  return signal;
}

void ReportPerFrame(benchmark::State& state)
{
  state.counters["ns_per_frame"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kBlock,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void EngineAlone(benchmark::State& state)
{
  std::unique_ptr<EngineState, EngineStateDeleter> engine(EngineCreate(kSampleRate));
  for (const auto& s : kSettings)
    EngineSetParameter(engine.get(), s.index, s.value);
  const std::vector<double> left = TestSignal(0.011), right = TestSignal(0.017);
  std::vector<double> outLeft(kBlock), outRight(kBlock);
  for (auto _ : state)
  {
    EnginePerform(engine.get(), left.data(), right.data(), outLeft.data(), outRight.data(), kBlock);
    benchmark::DoNotOptimize(outLeft.data());
  }
  ReportPerFrame(state);
}

template <typename Sample>
void ThroughModule(benchmark::State& state, const char* module)
{
  const SamplePrecision precision =
      sizeof(Sample) == sizeof(double) ? SamplePrecision::Double : SamplePrecision::Single;
  std::string error;
  auto plugin = LoadPluginModule(module, error);
  if (!plugin || !plugin->Prepare(kSampleRate, kBlock, precision, error))
  {
    state.SkipWithError(error.c_str());
    return;
  }
  for (int i = 0; i < plugin->ParameterCount(); ++i)
    for (const auto& s : kSettings)
      if (plugin->Parameter(i).name == s.name)
        plugin->SetPlain(i, s.value);
  const std::vector<double> left = TestSignal(0.011), right = TestSignal(0.017);
  std::vector<Sample> in[2] = {{left.begin(), left.end()}, {right.begin(), right.end()}};
  std::vector<Sample> out[2] = {std::vector<Sample>(kBlock), std::vector<Sample>(kBlock)};
  const Sample* inputs[2] = {in[0].data(), in[1].data()};
  Sample* outputs[2] = {out[0].data(), out[1].data()};
  for (auto _ : state)
  {
    plugin->Process(inputs, outputs, kBlock);
    benchmark::DoNotOptimize(out[0].data());
  }
  ReportPerFrame(state);
}

BENCHMARK(EngineAlone);
void Vst3Double(benchmark::State& state)
{
  ThroughModule<double>(state, QUILLWAVE_VST3_BUNDLE);
}
void Vst3Single(benchmark::State& state)
{
  ThroughModule<float>(state, QUILLWAVE_VST3_BUNDLE);
}
void Vst2Double(benchmark::State& state)
{
  ThroughModule<double>(state, QUILLWAVE_VST2_MODULE);
}
void Vst2Single(benchmark::State& state)
{
  ThroughModule<float>(state, QUILLWAVE_VST2_MODULE);
}

BENCHMARK(Vst3Double);
BENCHMARK(Vst3Single);
BENCHMARK(Vst2Double);
BENCHMARK(Vst2Single);

}  // namespace

// After the run: each module path's cost relative to the engine alone.
int main(int argc, char** argv)
{
  return RunBenchmarksWithSummary(argc, argv, "ns_per_frame", [](const auto& perFrame) {
    const auto engine = perFrame.find("EngineAlone");
    if (engine == perFrame.end() || engine->second <= 0.0)
      return;
    std::printf("\nCost relative to the engine alone at block %d (1.05 is the budget):\n", kBlock);
    for (const auto& [name, value] : perFrame)
      if (name != engine->first)
        std::printf("  %s: %.3f\n", name.c_str(), value / engine->second);
  });
}
