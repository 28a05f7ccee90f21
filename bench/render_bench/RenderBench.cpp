// Renders a generated one-hour stereo 48 kHz file through the VST3 module with the render
// tool, as a user would, and prints the speed as a multiple of real time and the tool's peak
// memory. The files live in a temporary folder of their own, removed afterwards.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/audiofile/AudioFile.h"

namespace fs = std::filesystem;

namespace
{

constexpr double kSampleRate = 48000.0;
constexpr double kSeconds = 3600.0;
constexpr double kTargetSpeed = 200.0;
constexpr double kMemoryLimitMiB = 32.0;

// A chord of three sines under a slow swell, left and right apart, as 16-bit PCM.
bool WriteTestFile(const std::string& path)
{
  SF_INFO info{};
  info.samplerate = static_cast<int>(kSampleRate);
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SndfileHandle file(sf_open(path.c_str(), SFM_WRITE, &info));
  if (!file)
    return false;
  constexpr size_t kBlock = 65536;
  std::vector<double> block(2 * kBlock);
  const auto frames = static_cast<size_t>(kSeconds * kSampleRate);
  for (size_t start = 0; start < frames; start += kBlock)
  {
    const size_t count = std::min(kBlock, frames - start);
    for (size_t i = 0; i < count; ++i)
    {
      const double t = static_cast<double>(start + i) / kSampleRate;
      const double swell = 0.3 + 0.2 * std::sin(2.0 * M_PI * 0.05 * t);
      block[2 * i] =
          swell * (std::sin(2.0 * M_PI * 220.0 * t) + 0.5 * std::sin(2.0 * M_PI * 277.2 * t));
      block[2 * i + 1] =
          swell * (std::sin(2.0 * M_PI * 330.0 * t) + 0.5 * std::sin(2.0 * M_PI * 415.3 * t));
    }
    if (sf_writef_double(file.get(), block.data(), static_cast<sf_count_t>(count)) !=
        static_cast<sf_count_t>(count))
      return false;
  }
  return true;
}

}  // namespace

int main()
{
  char pattern[] = "/tmp/quillwave-render-bench-XXXXXX";
  if (mkdtemp(pattern) == nullptr)
  {
    std::perror("render_bench: temporary folder");
    return 1;
  }
  const fs::path folder = pattern;
  const std::string input = (folder / "hour.wav").string();
  const std::string output = (folder / "rendered.wav").string();
  std::printf("Writing a one-hour stereo %.0f Hz test file...\n", kSampleRate);
  std::fflush(stdout);
  int result = 1;
  if (WriteTestFile(input))
  {
    const std::string tool = QUILLWAVE_RENDER;
    const std::string module = QUILLWAVE_VST3_BUNDLE;
    // The saturation setting, the engine's most expensive path.
    const char* const argv[] = {tool.c_str(),    module.c_str(),   input.c_str(),
                                output.c_str(),  "--quiet",        "--set",
                                "MainFxOffOn=1", "--set",          "SaturationGain=0.6",
                                "--set",         "FilterTone=0.3", nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    int status = 0;
    rusage usage{};
    if (posix_spawn(&child, tool.c_str(), nullptr, nullptr, const_cast<char* const*>(argv),
                    environ) == 0 &&
        wait4(child, &status, 0, &usage) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0)
    {
      const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
      const double speed = kSeconds / elapsed.count();
      const double peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
      std::printf("render of one hour: %.1f s, %.0fx real time (target at least %.0fx)\n",
                  elapsed.count(), speed, kTargetSpeed);
      std::printf("peak memory of the render tool: %.1f MiB (target below %.0f MiB)\n", peakMiB,
                  kMemoryLimitMiB);
      result = 0;
    }
    else
    {
      std::fprintf(stderr, "render_bench: the render failed\n");
    }
  }
  else
  {
    std::fprintf(stderr, "render_bench: cannot write %s\n", input.c_str());
  }
  fs::remove_all(folder);
  return result;
}
