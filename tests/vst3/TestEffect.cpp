#include "tests/vst3/TestEffect.h"

#include "framework/FourCharCode.h"

namespace vst3test
{
namespace
{
IEffectConfig TestConfig(TestEffect::Flavour flavour)
{
  IEffectConfig config;
  config.parameterCount = 4;
  config.presetCount = 2;
  config.channelIO = flavour == TestEffect::Flavour::Instrument     ? "0-4"
                     : flavour == TestEffect::Flavour::MonoOrStereo ? "1-1 2-2"
                                                                    : "2-2";
  config.effectName = "Test Effect";
  config.makerName = "Test Maker";
  config.uniqueId = FourCharCode("Tst1");
  config.makerId = FourCharCode("Tstm");
  config.version = 0x00010000;
  config.isInstrument = flavour == TestEffect::Flavour::Instrument;
  config.doesMidi = flavour != TestEffect::Flavour::NoMidi;
  return config;
}
}  // namespace

TestEffect::TestEffect(Flavour flavour) : IEffectVST3(TestConfig(flavour), HostContext{})
{
  GetParam(0)->InitDouble("Gain", 25.0, 0.0, 100.0, 0.00001, "dB");
  GetParam(1)->InitBool("Switch", false, "", "Main");
  GetParam(2)->InitEnum("Mode", 1, 3, "", "Tone");
  GetParam(2)->AddDisplayText(0, "Soft");
  GetParam(2)->AddDisplayText(1, "Medium");
  GetParam(2)->AddDisplayText(2, "Hard");
  GetParam(3)->InitDouble("Depth", 0.5, 0.0, 1.0, 0.00001, "", "Main");
  CaptureInitPreset();
}

void TestEffect::OnReset()
{
  ++resets;
}

void TestEffect::OnParameterChanged(int index)
{
  changes.push_back(index);
}

void TestEffect::ProcessDouble(double** inputs, double** outputs, int frames)
{
  // The instrument flavour has no inputs and is never processed.
  if (GetInputChannelCount() < 2)
    return;
  ProcessCall call;
  call.frames = frames;
  call.gain = GetParam(0)->Value();
  for (int c = 0; c < 2; ++c)
  {
    call.inputs[c] = inputs[c];
    call.outputs[c] = outputs[c];
    for (int t = 0; t < frames; ++t)
      outputs[c][t] = 2.0 * inputs[c][t];
  }
  blocks.push_back(call);
}

void TestEffect::OnMidiMessage(const IMidiMessage* message)
{
  midi.push_back(*message);
}

}  // namespace vst3test
