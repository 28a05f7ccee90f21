#include "tests/integration/ReferenceRender.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/pluginhost/PluginSettings.h"

namespace reference
{

namespace
{

// The blocks of silence at which the input stops, and the feedback rings out.
constexpr int kSilenceFrom = 36;
constexpr int kSilenceTo = 44;

double Ramp(int frame, int period)
{
  return 2.0 * (frame % period) / period - 1.0;
}

double Triangle(int frame, int period)
{
  const double phase = static_cast<double>(frame % period) / period;
  return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
}

// A stateless integer hash of the position, as noise in -0.5 .. 0.5.
double Noise(int channel, int frame)
{
  uint32_t x = static_cast<uint32_t>(frame) * 2654435761u + static_cast<uint32_t>(channel) * 40503u;
  x ^= x >> 15;
  x *= 2246822519u;
  x ^= x >> 13;
  return x / 4294967296.0 - 0.5;
}

std::string PresetPath(const std::string& factoryFolder, const std::string& preset)
{
  return (std::filesystem::path(factoryFolder) / (preset + ".quillwavepreset")).string();
}

bool ApplyPreset(PluginInstance& plugin, const std::string& factoryFolder,
                 const std::string& preset, std::string& error)
{
  if (preset.empty())
    return true;
  PluginSettings settings;
  settings.presetPath = PresetPath(factoryFolder, preset);
  return ApplySettings(plugin, settings, error) == SettingsStatus::Applied;
}

bool SetByName(PluginInstance& plugin, const std::string& name, double plain, std::string& error)
{
  const int index = FindParameter(plugin, name);
  if (index < 0)
  {
    error = plugin.Format() + " module has no parameter " + name;
    return false;
  }
  plugin.SetPlain(index, plain);
  return true;
}

std::string Lower(std::string text)
{
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<Change> ToneSweep()
{
  std::vector<Change> changes{{0, "MainFxOffOn", 1.0}};
  constexpr int kSteps = kBlocks / 2;
  for (int step = 0; step < kSteps; ++step)
    changes.push_back({2 * step, "FilterTone", static_cast<double>(step) / (kSteps - 1)});
  return changes;
}

}  // namespace

const std::vector<Setting>& Settings()
{
  static const std::vector<Setting> settings{
      {"chorus", "", {{0, "MainFxOffOn", 1.0}, {0, "QuillwaveMode", 0.0}}},
      {"flanger", "", {{0, "MainFxOffOn", 1.0}, {0, "QuillwaveMode", 1.0}}},
      {"chorus-saturated",
       "",
       {{0, "MainFxOffOn", 1.0}, {0, "QuillwaveMode", 0.0}, {0, "SaturationGain", 0.8}}},
      {"flanger-saturated",
       "",
       {{0, "MainFxOffOn", 1.0},
        {0, "QuillwaveMode", 1.0},
        {0, "SaturationGain", 1.0},
        {0, "QuillwaveRate", 0.9}}},
      {"tone-sweep", "", ToneSweep()},
      {"maximum-feedback",
       "",
       {{0, "MainFxOffOn", 1.0},
        {0, "QuillwaveMode", 1.0},
        {0, "QuillwaveFeedback", 1.0},
        {0, "QuillwaveBandwidth", 1.0},
        {0, "QuillwaveCenter", 0.2}}},
      {"routing",
       "",
       {{0, "MainFxOffOn", 1.0},
        {0, "MainInputMode", 1.0},
        {0, "MainInputGain", 0.8},
        {0, "MainOutputBlend", 0.6},
        {0, "MainOutputVolume", 0.7},
        {12, "MainInputMode", 2.0},
        {24, "MainInputMode", 3.0},
        {30, "MainOutputBlend", 0.3}}},
      {"preset-saturation-chorus-b", "CHRS - Saturation Chorus B", {}},
      {"preset-clean-flanger-c", "FLNG - Clean Flanger C", {}},
      {"preset-the-modder", "WLCM - The Modder", {}},
  };
  return settings;
}

double Input(int channel, int frame)
{
  const int block = frame / kBlockSize;
  if (block >= kSilenceFrom && block < kSilenceTo)
    return 0.0;
  // The level steps through a third, two thirds and the whole every 2048 frames.
  const double level = (1 + (frame / 2048) % 3) / 3.0;
  const double noise = 0.04 * Noise(channel, frame);
  if (channel == 0)
    return level * (0.35 * Ramp(frame, 109) + 0.3 * Triangle(frame, 1733) + noise);
  return level * (0.3 * Ramp(frame, 157) + 0.35 * Triangle(frame, 2311) + noise);
}

bool Render(PluginInstance& plugin, const Setting& setting, const std::string& factoryFolder,
            std::vector<double>& output, std::string& error)
{
  if (!plugin.Prepare(kSampleRate, kBlockSize, SamplePrecision::Double, error))
    return false;
  plugin.SetTempo(kTempo);
  if (!ApplyPreset(plugin, factoryFolder, setting.preset, error))
    return false;
  std::array<std::vector<double>, 2> in{std::vector<double>(kBlockSize),
                                        std::vector<double>(kBlockSize)};
  std::array<std::vector<double>, 2> out = in;
  output.assign(static_cast<size_t>(kFrames) * 2, 0.0);
  for (int block = 0; block < kBlocks; ++block)
  {
    for (const Change& change : setting.changes)
      if (change.block == block && !SetByName(plugin, change.parameter, change.plain, error))
        return false;
    for (int c = 0; c < 2; ++c)
      for (int t = 0; t < kBlockSize; ++t)
        in[c][static_cast<size_t>(t)] = Input(c, block * kBlockSize + t);
    const double* inputs[2] = {in[0].data(), in[1].data()};
    double* outputs[2] = {out[0].data(), out[1].data()};
    plugin.Process(inputs, outputs, kBlockSize);
    for (int t = 0; t < kBlockSize; ++t)
      for (int c = 0; c < 2; ++c)
        output[(static_cast<size_t>(block) * kBlockSize + t) * 2 + c] =
            out[c][static_cast<size_t>(t)];
  }
  return true;
}

std::string AudioFileName(const std::string& format, const Setting& setting)
{
  return Lower(format) + "-" + setting.name + ".f64";
}

std::string StateFileName(const std::string& format, const Setting& setting)
{
  return Lower(format) + "-" + setting.name + ".state";
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error)
{
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file.flush())
  {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

bool ReadBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error)
{
  std::ifstream file(path, std::ios::binary);
  if (!file)
  {
    error = "cannot read " + path;
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  if (file.bad())
  {
    error = "cannot read " + path;
    return false;
  }
  return true;
}

bool WriteDoubles(const std::string& path, const std::vector<double>& values, std::string& error)
{
  std::vector<uint8_t> bytes(values.size() * 8);
  for (size_t i = 0; i < values.size(); ++i)
  {
    uint64_t bits = 0;
    std::memcpy(&bits, &values[i], sizeof bits);
    for (int k = 0; k < 8; ++k)
      bytes[i * 8 + k] = static_cast<uint8_t>(bits >> (8 * k));
  }
  return WriteBytes(path, bytes, error);
}

bool ReadDoubles(const std::string& path, std::vector<double>& values, std::string& error)
{
  std::vector<uint8_t> bytes;
  if (!ReadBytes(path, bytes, error))
    return false;
  if (bytes.size() % 8 != 0)
  {
    error = path + " does not hold whole doubles (" + std::to_string(bytes.size()) + " bytes)";
    return false;
  }
  values.resize(bytes.size() / 8);
  for (size_t i = 0; i < values.size(); ++i)
  {
    uint64_t bits = 0;
    for (int k = 0; k < 8; ++k)
      bits |= static_cast<uint64_t>(bytes[i * 8 + k]) << (8 * k);
    std::memcpy(&values[i], &bits, sizeof bits);
  }
  return true;
}

const std::vector<Picture>& Pictures()
{
  static const std::vector<Picture> pictures{
      {"editor-default", "", {}},
      // What a knob drag of the centre knob up by one knob height and a click of the effect
      // switch leave.
      {"editor-edited", "", {{"QuillwaveCenter", 0.75}, {"MainFxOffOn", 1.0}}},
      // The first two entries of the catalogue after the welcome entry 0.
      {"editor-the-modder", "WLCM - The Modder", {}},
      {"editor-clean-chorus-a", "CHRS - Clean Chorus A", {}},
  };
  return pictures;
}

bool ApplyPicture(PluginInstance& plugin, const Picture& picture, const std::string& factoryFolder,
                  std::string& error)
{
  if (!plugin.Prepare(kSampleRate, kBlockSize, SamplePrecision::Double, error))
    return false;
  plugin.SetTempo(kTempo);
  if (!ApplyPreset(plugin, factoryFolder, picture.preset, error))
    return false;
  for (const auto& [name, plain] : picture.values)
    if (!SetByName(plugin, name, plain, error))
      return false;
  std::vector<double> silence(kBlockSize, 0.0);
  std::vector<double> left(kBlockSize);
  std::vector<double> right(kBlockSize);
  const double* inputs[2] = {silence.data(), silence.data()};
  double* outputs[2] = {left.data(), right.data()};
  plugin.Process(inputs, outputs, kBlockSize);
  return true;
}

}  // namespace reference
