// quillwave-engine-timing: the engine's cost per stereo frame at block 512
// for its three main settings, the best of several timed runs. The same
// program is built for Linux and, with the mingw-w64 toolchain, for Windows,
// where it runs under Wine with the engine's code running natively; the
// compare-with-windows.sh script beside it prints both figures side by side.
//
//   quillwave-engine-timing [seconds per setting, default 2]

#include "engine/Engine.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace
{

constexpr double kSampleRate = 48000.0;
constexpr int32_t kBlock = 512;
constexpr int kRuns = 10;

struct Setting
{
  const char* name;
  double mode;
  double saturation;
};
const Setting kSettings[] = {{"chorus", 0.0, 0.0}, {"flanger", 1.0, 0.0}, {"saturation", 0.0, 0.6}};

// The fastest of kRuns runs, each processing blocks for `seconds` / kRuns,
// in nanoseconds per stereo frame.
double TimeSetting(const Setting& setting, double seconds)
{
  std::unique_ptr<EngineState, EngineStateDeleter> engine(EngineCreate(kSampleRate));
  if (!engine)
  {
    return NAN;
  }
  EngineSetParameter(engine.get(), kMainFxOffOn, 1.0);
  EngineSetParameter(engine.get(), kQuillwaveMode, setting.mode);
  EngineSetParameter(engine.get(), kSaturationGain, setting.saturation);
  if (setting.saturation > 0.0)
  {
    EngineSetParameter(engine.get(), kFilterTone, 0.3);
  }
  std::vector<double> left(kBlock);
  std::vector<double> right(kBlock);
  for (int32_t n = 0; n < kBlock; ++n)
  {
    left[static_cast<std::size_t>(n)] = 0.4 * std::sin(0.011 * n) + 0.1 * std::sin(0.37 * n);
    right[static_cast<std::size_t>(n)] = 0.4 * std::sin(0.017 * n) - 0.1 * std::sin(0.29 * n);
  }
  std::vector<double> outLeft(kBlock);
  std::vector<double> outRight(kBlock);
  double best = INFINITY;
  for (int run = 0; run < kRuns; ++run)
  {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(seconds / kRuns);
    long long blocks = 0;
    auto now = start;
    while (now < end)
    {
      for (int i = 0; i < 16; ++i)
      {
        EnginePerform(engine.get(), left.data(), right.data(), outLeft.data(), outRight.data(),
                      kBlock);
      }
      blocks += 16;
      now = Clock::now();
    }
    const std::chrono::duration<double, std::nano> elapsed = now - start;
    best = std::min(best, elapsed.count() / (static_cast<double>(blocks) * kBlock));
  }
  return best;
}

}  // namespace

int main(int argc, char** argv)
{
  const double seconds = argc > 1 ? std::atof(argv[1]) : 2.0;
  if (!(seconds > 0.0))
  {
    std::fprintf(stderr, "usage: quillwave-engine-timing [seconds per setting]\n");
    return 2;
  }
  std::printf("ns per stereo frame at block %d (best of %d runs)\n", kBlock, kRuns);
  for (const Setting& setting : kSettings)
  {
    const double figure = TimeSetting(setting, seconds);
    if (!std::isfinite(figure))
    {
      std::fprintf(stderr, "quillwave-engine-timing: no engine\n");
      return 1;
    }
    std::printf("%-12s %8.2f\n", setting.name, figure);
  }
  return 0;
}
