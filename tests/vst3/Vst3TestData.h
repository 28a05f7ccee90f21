#pragma once

// What the VST3 tests build and read besides the host objects: stereo blocks
// of host buffers, the little-endian bytes of a state and UTF-16 texts.

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vst3test
{

// Stereo in and out host buffers of one precision for one block.
template <typename Sample>
struct StereoBlock
{
  explicit StereoBlock(int frames, Sample fill = 0)
      : in{std::vector<Sample>(frames), std::vector<Sample>(frames)},
        out{std::vector<Sample>(frames, fill), std::vector<Sample>(frames, fill)}
  {
    inPointers[0] = in[0].data();
    inPointers[1] = in[1].data();
    outPointers[0] = out[0].data();
    outPointers[1] = out[1].data();
  }
  StereoBlock(const StereoBlock&) = delete;
  StereoBlock& operator=(const StereoBlock&) = delete;

  std::vector<Sample> in[2];
  std::vector<Sample> out[2];
  Sample* inPointers[2];
  Sample* outPointers[2];
};

// A ProcessData for one stereo bus each way over `block`.
Steinberg::Vst::ProcessData MakeProcessData(StereoBlock<float>& block,
                                            Steinberg::Vst::AudioBusBuffers (&buses)[2]);
Steinberg::Vst::ProcessData MakeProcessData(StereoBlock<double>& block,
                                            Steinberg::Vst::AudioBusBuffers (&buses)[2]);

// The little-endian bytes of a double and of an int32.
void AppendDouble(std::vector<uint8_t>& bytes, double value);
void AppendInt32(std::vector<uint8_t>& bytes, int32_t value);
double DoubleAt(const std::vector<uint8_t>& bytes, size_t offset);

// A UTF-16 host string as UTF-16 text.
std::u16string Text(const Steinberg::Vst::TChar* string);

}  // namespace vst3test
