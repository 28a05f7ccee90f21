// Cost of EnginePerform per stereo frame for the main settings, next to three
// LADSPA peers (TAP Chorus/Flanger, CAPS ChorusI, SWH Flanger) on the same
// input and block sizes.

#include "bench/engine_bench/LadspaPlugin.h"
#include "bench/support/CounterSummary.h"
#include "engine/Engine.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{

constexpr double kSampleRate = 48000.0;
const std::vector<int64_t> kBlockSizes = {64, 512, 4096};

// A saw chord with noise: a busy, deterministic programme signal.
std::vector<double> TestSignal(std::size_t frames, uint32_t seed)
{
  std::mt19937 generator(seed);
  std::uniform_real_distribution<double> noise(-0.1, 0.1);
  std::vector<double> signal(frames);
  for (std::size_t n = 0; n < frames; ++n)
  {
    double saw = 0.0;
    for (double frequency : {110.0, 164.81, 220.0})
    {
      const double cycles = frequency * static_cast<double>(n) / kSampleRate;
      saw += 2.0 * (cycles - std::floor(cycles)) - 1.0;
    }
    signal[n] = 0.2 * saw + noise(generator);
  }
  return signal;
}

// Runs `process` (one block of `frames`) for the benchmark's iterations and
// reports wall-clock nanoseconds per stereo frame as the ns_per_frame counter.
template <typename Process>
void TimeBlocks(benchmark::State& state, int64_t frames, Process process)
{
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state)
  {
    process();
    benchmark::ClobberMemory();
  }
  const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
  const double processed = static_cast<double>(state.iterations()) * static_cast<double>(frames);
  state.counters["ns_per_frame"] = processed > 0.0 ? elapsed.count() / processed : 0.0;
}

enum class Setting
{
  kChorus,
  kFlanger,
  kSaturation,
  kEffectOff
};

void BenchEngine(benchmark::State& state, Setting setting)
{
  const int64_t frames = state.range(0);
  std::unique_ptr<EngineState, EngineStateDeleter> engine(EngineCreate(kSampleRate));
  EngineSetParameter(engine.get(), kMainFxOffOn, setting == Setting::kEffectOff ? 0.0 : 1.0);
  if (setting == Setting::kFlanger)
  {
    EngineSetParameter(engine.get(), kQuillwaveMode, 1.0);
  }
  if (setting == Setting::kSaturation)
  {
    EngineSetParameter(engine.get(), kSaturationGain, 0.6);
    EngineSetParameter(engine.get(), kFilterTone, 0.3);
  }
  const std::vector<double> left = TestSignal(static_cast<std::size_t>(frames), 1);
  const std::vector<double> right = TestSignal(static_cast<std::size_t>(frames), 2);
  std::vector<double> outLeft(left.size());
  std::vector<double> outRight(right.size());
  TimeBlocks(state, frames, [&] {
    EnginePerform(engine.get(), left.data(), right.data(), outLeft.data(), outRight.data(),
                  static_cast<int32_t>(frames));
    benchmark::DoNotOptimize(outLeft.data());
    benchmark::DoNotOptimize(outRight.data());
  });
}

// The LADSPA peers, each a chorus or flanger run with its default controls. A mono peer runs
// as two instances, one per channel, so every figure is the cost of a stereo frame.
struct Peer
{
  const char* name;
  const char* path;
  const char* label;
};
const Peer kPeers[] = {
    {"tap", "/usr/lib/ladspa/tap_chorusflanger.so", "tap_chorusflanger"},
    {"caps", "/usr/lib/ladspa/caps.so", "ChorusI"},
    {"swh", "/usr/lib/ladspa/flanger_1191.so", "flanger"},
};
const char* const kSettingNames[] = {"chorus", "flanger", "saturation", "effect_off"};

void BenchPeer(benchmark::State& state, const Peer& peer)
{
  const int64_t frames = state.range(0);
  std::vector<std::unique_ptr<LadspaPlugin>> instances;
  for (int channel = 0; channel < 2; ++channel)
  {
    instances.push_back(std::make_unique<LadspaPlugin>(peer.path, peer.label,
                                                       static_cast<unsigned long>(kSampleRate),
                                                       static_cast<unsigned long>(frames)));
    if (!instances.back()->IsLoaded())
    {
      state.SkipWithError(instances.back()->Error().c_str());
      return;
    }
    if (instances.front()->AudioInputs() > 1)
    {
      break;
    }
  }
  for (int channel = 0; channel < 2; ++channel)
  {
    LadspaPlugin& instance = *instances[static_cast<std::size_t>(channel) % instances.size()];
    float* input = instance.Input(instances.size() == 1 ? channel : 0);
    const std::vector<double> signal = TestSignal(static_cast<std::size_t>(frames), channel + 1);
    for (std::size_t n = 0; n < signal.size(); ++n)
    {
      input[n] = static_cast<float>(signal[n]);
    }
  }
  TimeBlocks(state, frames, [&] {
    for (const auto& instance : instances)
    {
      instance->Run(static_cast<unsigned long>(frames));
      benchmark::DoNotOptimize(instance->Output(0));
    }
  });
  state.SetLabel(instances.front()->Name());
}

double Figure(const std::map<std::string, double>& figures, const std::string& name)
{
  const auto found = figures.find(name);
  return found == figures.end() ? 0.0 : found->second;
}

bool HasBlock(const std::map<std::string, double>& figures, int64_t block)
{
  const std::string suffix = "/" + std::to_string(block);
  for (const auto& entry : figures)
  {
    if (entry.first.size() > suffix.size() &&
        entry.first.compare(entry.first.size() - suffix.size(), suffix.size(), suffix) == 0)
    {
      return true;
    }
  }
  return false;
}

// Our figures and the peers' side by side, then each setting's ratio to every
// peer; block sizes that were filtered out are left out.
void PrintComparison(const std::map<std::string, double>& figures)
{
  std::printf("\nns per stereo frame\n%-8s", "block");
  for (const char* setting : kSettingNames)
  {
    std::printf(" %11s", setting);
  }
  for (const Peer& peer : kPeers)
  {
    std::printf(" %11s", peer.name);
  }
  std::printf("\n");
  for (int64_t block : kBlockSizes)
  {
    if (!HasBlock(figures, block))
    {
      continue;
    }
    const std::string suffix = "/" + std::to_string(block);
    std::printf("%-8lld", static_cast<long long>(block));
    for (const char* setting : kSettingNames)
    {
      std::printf(" %11.2f", Figure(figures, setting + suffix));
    }
    for (const Peer& peer : kPeers)
    {
      std::printf(" %11.2f", Figure(figures, std::string("peer_") + peer.name + suffix));
    }
    std::printf("\n");
  }
  std::printf("\nratio to the peer (ours / peer; 0 where a figure is missing)\n%-8s %-6s", "block",
              "peer");
  for (const char* setting : kSettingNames)
  {
    std::printf(" %11s", setting);
  }
  std::printf("\n");
  for (int64_t block : kBlockSizes)
  {
    if (!HasBlock(figures, block))
    {
      continue;
    }
    const std::string suffix = "/" + std::to_string(block);
    for (const Peer& peer : kPeers)
    {
      const double peerFigure = Figure(figures, std::string("peer_") + peer.name + suffix);
      std::printf("%-8lld %-6s", static_cast<long long>(block), peer.name);
      for (const char* setting : kSettingNames)
      {
        const double ours = Figure(figures, setting + suffix);
        std::printf(" %11.2f", peerFigure > 0.0 ? ours / peerFigure : 0.0);
      }
      std::printf("\n");
    }
  }
}

}  // namespace

int main(int argc, char** argv)
{
  const Setting settings[] = {Setting::kChorus, Setting::kFlanger, Setting::kSaturation,
                              Setting::kEffectOff};
  for (std::size_t i = 0; i < std::size(settings); ++i)
  {
    benchmark::RegisterBenchmark(kSettingNames[i], BenchEngine, settings[i])
        ->ArgsProduct({kBlockSizes});
  }
  for (const Peer& peer : kPeers)
  {
    benchmark::RegisterBenchmark((std::string("peer_") + peer.name).c_str(), BenchPeer, peer)
        ->ArgsProduct({kBlockSizes});
  }
  return RunBenchmarksWithSummary(argc, argv, "ns_per_frame", PrintComparison);
}
