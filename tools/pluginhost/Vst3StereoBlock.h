#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <cstdint>

// One block for IAudioProcessor::process with one stereo input bus and one stereo output bus,
// in either sample precision, as a host hands it over. The buses live in the object, so
// `data` is valid as long as the object is; the caller adds parameter changes, events and the
// process context.
class Vst3StereoBlock
{
public:
  Vst3StereoBlock(const float* const* inputs, float** outputs, int32_t frames)
      : Vst3StereoBlock(Steinberg::Vst::kSample32, frames)
  {
    // The interface takes writable pointers for the input too; the plug-in only reads them.
    input.channelBuffers32 = const_cast<float**>(inputs);
    output.channelBuffers32 = outputs;
  }

  Vst3StereoBlock(const double* const* inputs, double** outputs, int32_t frames)
      : Vst3StereoBlock(Steinberg::Vst::kSample64, frames)
  {
    input.channelBuffers64 = const_cast<double**>(inputs);
    output.channelBuffers64 = outputs;
  }

  Vst3StereoBlock(const Vst3StereoBlock&) = delete;
  Vst3StereoBlock& operator=(const Vst3StereoBlock&) = delete;

  Steinberg::Vst::ProcessData data;

private:
  Vst3StereoBlock(int32_t sampleSize, int32_t frames)
  {
    input.numChannels = 2;
    output.numChannels = 2;
    data.symbolicSampleSize = sampleSize;
    data.numSamples = frames;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &input;
    data.outputs = &output;
  }

  Steinberg::Vst::AudioBusBuffers input;
  Steinberg::Vst::AudioBusBuffers output;
};
