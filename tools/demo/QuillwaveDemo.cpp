// Renders a generated test signal through the effect engine with a chorus
// and a flanger setting and writes the results, with the dry signal for
// comparison, as WAV files into the folder given on the command line.

#include "engine/Engine.h"
#include "tools/demo/DemoSignal.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace
{

constexpr double kSampleRate = 48000.0;
constexpr double kSeconds = 6.0;
constexpr int32_t kBlockFrames = 512;

struct Setting
{
  const char* name;
  std::vector<std::pair<EngineParam, double>> values;
};

const Setting kSettings[] = {
    {"chorus",
     {{kMainFxOffOn, 1.0},
      {kQuillwaveMode, 0.0},
      {kQuillwaveBandwidth, 0.6},
      {kQuillwaveCenter, 0.4},
      {kQuillwaveRate, 0.3},
      {kQuillwaveFeedback, 0.3},
      {kMainOutputBlend, 1.0}}},
    {"flanger",
     {{kMainFxOffOn, 1.0},
      {kQuillwaveMode, 1.0},
      {kQuillwaveBandwidth, 0.8},
      {kQuillwaveCenter, 0.2},
      {kQuillwaveRate, 1.0},
      {kQuillwaveFeedback, 0.8},
      {kMainOutputBlend, 1.0}}},
};

using EngineStatePtr = std::unique_ptr<EngineState, EngineStateDeleter>;

bool Render(const StereoAudio& dry, const Setting& setting, StereoAudio& wet)
{
  EngineStatePtr engine(EngineCreate(dry.sampleRate));
  if (engine == nullptr)
  {
    return false;
  }
  for (const auto& [index, value] : setting.values)
  {
    EngineSetParameter(engine.get(), index, value);
  }
  wet = StereoAudio{dry.sampleRate, std::vector<double>(dry.Frames()),
                    std::vector<double>(dry.Frames())};
  const auto total = static_cast<int32_t>(dry.left.size());
  for (int32_t start = 0; start < total; start += kBlockFrames)
  {
    const int32_t frames = std::min(kBlockFrames, total - start);
    if (EnginePerform(engine.get(), dry.left.data() + start, dry.right.data() + start,
                      wet.left.data() + start, wet.right.data() + start, frames) != 0)
    {
      return false;
    }
  }
  return true;
}

bool WriteWav(const std::filesystem::path& path, const StereoAudio& audio)
{
  std::string error;
  if (!WriteAudioFile(path.string(), audio, error))
  {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  std::printf("wrote %s\n", path.string().c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder(argv[1]);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error)
  {
    std::fprintf(stderr, "cannot create %s: %s\n", folder.string().c_str(),
                 error.message().c_str());
    return 1;
  }

  const StereoAudio dry = MakeDemoSignal(kSampleRate, kSeconds);
  if (!WriteWav(folder / "quillwave-dry.wav", dry))
  {
    return 1;
  }
  for (const Setting& setting : kSettings)
  {
    StereoAudio wet;
    if (!Render(dry, setting, wet))
    {
      std::fprintf(stderr, "the engine could not render the %s setting\n", setting.name);
      return 1;
    }
    if (!WriteWav(folder / ("quillwave-" + std::string(setting.name) + ".wav"), wet))
    {
      return 1;
    }
  }
  return 0;
}
