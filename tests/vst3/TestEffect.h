#pragma once

#include "vst3/IEffectVST3.h"

#include <vector>

namespace vst3test
{

// A small plug-in on the VST3 binding that records what the binding asks of
// it. Parameters: 0 "Gain" 0..100 (label "dB"), 1 "Switch" (bool, group
// "Main"), 2 "Mode" (three named values, group "Tone"), 3 "Depth" 0..1 (group
// "Main"). Two program slots, stereo in and out; its processing doubles the
// input so it differs from the pass-through.
class TestEffect : public IEffectVST3
{
public:
  enum class Flavour
  {
    Effect,        // "2-2", MIDI input
    Instrument,    // "0-4", MIDI input
    NoMidi,        // "2-2", no MIDI
    MonoOrStereo,  // "1-1 2-2", MIDI input
  };

  struct ProcessCall
  {
    int frames = 0;
    double* inputs[2] = {};
    double* outputs[2] = {};
    // Parameter 0's value when the block was processed.
    double gain = 0.0;
  };

  explicit TestEffect(Flavour flavour = Flavour::Effect);

  void OnReset() override;
  void OnParameterChanged(int index) override;
  void ProcessDouble(double** inputs, double** outputs, int frames) override;
  void OnMidiMessage(const IMidiMessage* message) override;

  int resets = 0;
  std::vector<int> changes;
  std::vector<IMidiMessage> midi;
  std::vector<ProcessCall> blocks;
};

}  // namespace vst3test
