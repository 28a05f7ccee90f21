#include "tests/vst2/TestPlugin.h"

IEffectConfig TestPlugin::Config(const char* channelIO)
{
  IEffectConfig config;
  config.parameterCount = kParamCount;
  config.presetCount = kPresetCount;
  config.channelIO = channelIO;
  config.effectName = kEffectName;
  config.productName = kProductName;
  config.makerName = kMakerName;
  config.uniqueId = FourCharCode("Tst2");
  config.makerId = FourCharCode("Test");
  config.version = 0x00020304;
  // The binding decides the API whatever the plug-in says.
  config.pluginApi = PluginApi::VST3;
  return config;
}

TestPlugin::TestPlugin(HostContext host, const char* channelIO)
    : IEffectVST2(Config(channelIO), host)
{
  GetParam(kGain)->InitDouble("Gain", 0.5, 0.0, 1.0, 0.00001);
  GetParam(kOffset)->InitDouble(kLongName, 0.0, -10.0, 10.0, 0.1, kLongLabel);
  GetParam(kOffset)->SetNegateDisplay(true);
  GetParam(kMode)->InitEnum("Mode", 0, 2);
  GetParam(kMode)->AddDisplayText(0, "Chorus");
  GetParam(kMode)->AddDisplayText(1, "Flanger");
  GetParam(kSteps)->InitInt("Steps", 10, 0, 100);
  CaptureInitPreset();
}

TestPlugin::~TestPlugin()
{
  if (destroyed)
    *destroyed = true;
}

void TestPlugin::OnReset()
{
  ++resets;
}

void TestPlugin::OnParameterChanged(int index)
{
  changes.push_back(index);
}

void TestPlugin::ProcessDouble(double** inputs, double** outputs, int frames)
{
  blocks.push_back(frames);
  tempos.push_back(QueryTempo());
  for (int c = 0; c < GetOutputChannelCount(); ++c)
  {
    for (int t = 0; t < frames; ++t)
      outputs[c][t] = Expected(inputs[c][t], c);
  }
}

void TestPlugin::OnActivation(bool active)
{
  activations.push_back(active);
}

void TestPlugin::OnMidiMessage(const IMidiMessage* message)
{
  midi.push_back(*message);
}

void TestPlugin::OnSysExMessage(const ISysExMessage* message)
{
  sysex.emplace_back(message->data, message->data + message->size);
  sysexOffsets.push_back(message->offset);
}

void TestPlugin::OnHostKnown()
{
  ++hostKnownCalls;
}
