#pragma once

// The audio a module makes of one deterministic input under a few settings, and the editor
// pictures that go with some parameter values. The Linux tests render these through the
// Linux modules and store the results; the Windows tests render the same through the Windows
// modules and compare with what Linux stored.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/pluginhost/PluginInstance.h"

namespace reference
{

constexpr double kSampleRate = 48000.0;
constexpr int32_t kBlockSize = 256;
constexpr int kBlocks = 48;
constexpr int kFrames = kBlockSize * kBlocks;
constexpr double kTempo = 120.0;

// A parameter given its plain value by the host before block `block` is processed.
struct Change
{
  int block;
  std::string parameter;
  double plain;
};

struct Setting
{
  // Part of the file names.
  std::string name;
  // A factory preset applied by the host first (the file name without its extension), or "".
  std::string preset;
  std::vector<Change> changes;
};

// Both modes, saturation on and off, a tone sweep, maximum feedback, the input routing and
// gains, and some factory presets.
const std::vector<Setting>& Settings();

// The input, frame `frame` of channel `channel` (0 left, 1 right): ramps, triangles and
// pseudo-random noise, computed with the four basic operations only, so that every C runtime
// gives the same numbers, with a silent stretch that lets the feedback ring out.
double Input(int channel, int frame);

// Prepares the plug-in for double precision at kSampleRate and the host tempo, applies the
// setting (the preset from `factoryFolder`) and renders kFrames through it. `output` holds
// the frames interleaved, left then right. False with a reason.
bool Render(PluginInstance& plugin, const Setting& setting, const std::string& factoryFolder,
            std::vector<double>& output, std::string& error);

// "<format>-<setting>.f64" for the audio, "<format>-<setting>.state" for the state the
// plug-in saves after rendering; format is the module's format in lower case.
std::string AudioFileName(const std::string& format, const Setting& setting);
std::string StateFileName(const std::string& format, const Setting& setting);

// Raw little-endian doubles.
bool WriteDoubles(const std::string& path, const std::vector<double>& values, std::string& error);
bool ReadDoubles(const std::string& path, std::vector<double>& values, std::string& error);
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);
bool ReadBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);

// An editor picture: what the editor of a fresh instance shows once the host has applied the
// preset and then the values (plain, by parameter name) and processed a block, with which a
// VST3 plug-in receives them. Stored as "<name>.png".
struct Picture
{
  std::string name;
  std::string preset;
  std::vector<std::pair<std::string, double>> values;
};
const std::vector<Picture>& Pictures();

// Prepares the plug-in as Render does, applies a picture's preset and values and processes
// one block of silence; false with a reason.
bool ApplyPicture(PluginInstance& plugin, const Picture& picture, const std::string& factoryFolder,
                  std::string& error);

// The band of the preset strip where the preset name is drawn: text comes from the
// platform's fonts, so pictures from different platforms differ there and only there.
// Left, top, right, bottom.
constexpr int kTextBand[4] = {60, 40, 440, 70};

}  // namespace reference
