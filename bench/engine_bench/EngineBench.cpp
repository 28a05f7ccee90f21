// Cost of EnginePerform per stereo frame for the main settings, next to the
// TAP Chorus/Flanger LADSPA plug-in on the same input and block sizes.

#include "bench/engine_bench/LadspaPlugin.h"
#include "engine/Engine.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr double kSampleRate = 48000.0;
constexpr const char* kPeerPath = "/usr/lib/ladspa/tap_chorusflanger.so";
constexpr const char* kPeerLabel = "tap_chorusflanger";
const std::vector<int64_t> kBlockSizes = {64, 512, 4096};

// A saw chord with noise: a busy, deterministic programme signal.
std::vector<double> TestSignal(std::size_t frames, uint32_t seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> noise(-0.1, 0.1);
    std::vector<double> signal(frames);
    for (std::size_t n = 0; n < frames; ++n) {
        double saw = 0.0;
        for (double frequency : {110.0, 164.81, 220.0}) {
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
    for (auto _ : state) {
        process();
        benchmark::ClobberMemory();
    }
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    const double processed = static_cast<double>(state.iterations()) * static_cast<double>(frames);
    state.counters["ns_per_frame"] = processed > 0.0 ? elapsed.count() / processed : 0.0;
}

enum class Setting { kChorus, kFlanger, kSaturation, kEffectOff };

void BenchEngine(benchmark::State& state, Setting setting)
{
    const int64_t frames = state.range(0);
    std::unique_ptr<EngineState, EngineStateDeleter> engine(EngineCreate(kSampleRate));
    EngineSetParameter(engine.get(), kMainFxOffOn, setting == Setting::kEffectOff ? 0.0 : 1.0);
    if (setting == Setting::kFlanger) {
        EngineSetParameter(engine.get(), kQuillwaveMode, 1.0);
    }
    if (setting == Setting::kSaturation) {
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

void BenchPeer(benchmark::State& state)
{
    const int64_t frames = state.range(0);
    LadspaPlugin peer(kPeerPath, kPeerLabel, static_cast<unsigned long>(kSampleRate),
                      static_cast<unsigned long>(frames));
    if (!peer.IsLoaded()) {
        state.SkipWithError(peer.Error().c_str());
        return;
    }
    for (int channel = 0; channel < 2; ++channel) {
        const std::vector<double> signal = TestSignal(static_cast<std::size_t>(frames), channel + 1);
        for (std::size_t n = 0; n < signal.size(); ++n) {
            peer.Input(channel)[n] = static_cast<float>(signal[n]);
        }
    }
    TimeBlocks(state, frames, [&] {
        peer.Run(static_cast<unsigned long>(frames));
        benchmark::DoNotOptimize(peer.Output(0));
    });
    state.SetLabel(peer.Name());
}

// Console output as usual, plus the ns_per_frame of every run, so the
// comparison with the peer can be printed once all runs are done.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const auto counter = run.counters.find("ns_per_frame");
            if (run.error_occurred || counter == run.counters.end()) {
                continue;
            }
            figures_[run.benchmark_name()] = counter->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintComparison() const
    {
        std::printf("\nns per stereo frame (ratio to the TAP Chorus/Flanger peer)\n");
        std::printf("%-8s %-16s %-16s %-16s %-16s %-10s\n", "block", "chorus", "flanger", "saturation",
                    "effect off", "peer");
        for (int64_t block : kBlockSizes) {
            const std::string suffix = "/" + std::to_string(block);
            if (figures_.count("saturation" + suffix) == 0) {
                continue;
            }
            const double peer = Figure("peer" + suffix);
            std::printf("%-8lld", static_cast<long long>(block));
            for (const char* setting : {"chorus", "flanger", "saturation", "effect_off"}) {
                const double figure = Figure(std::string(setting) + suffix);
                std::printf(" %6.2f (%5.2fx) ", figure, peer > 0.0 ? figure / peer : 0.0);
            }
            std::printf(" %6.2f\n", peer);
        }
    }

private:
    double Figure(const std::string& name) const
    {
        const auto found = figures_.find(name);
        return found == figures_.end() ? 0.0 : found->second;
    }

    std::map<std::string, double> figures_;
};

} // namespace

int main(int argc, char** argv)
{
    const std::pair<const char*, Setting> settings[] = {
        {"chorus", Setting::kChorus},
        {"flanger", Setting::kFlanger},
        {"saturation", Setting::kSaturation},
        {"effect_off", Setting::kEffectOff},
    };
    for (const auto& [name, setting] : settings) {
        benchmark::RegisterBenchmark(name, BenchEngine, setting)->ArgsProduct({kBlockSizes});
    }
    benchmark::RegisterBenchmark("peer", BenchPeer)->ArgsProduct({kBlockSizes});

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintComparison();
    benchmark::Shutdown();
    return 0;
}
