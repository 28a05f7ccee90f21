#pragma once

#include "framework/FourCharCode.h"
#include "framework/IEffectBase.h"

#include <string>
#include <vector>

// A plug-in with the host-facing operations answered locally: it records the
// order of host edits and change notifications.
class TestEffect : public IEffectBase
{
public:
  static IEffectConfig Config(int params = 22, int presets = 1, const char* io = "2-2")
  {
    IEffectConfig config;
    config.parameterCount = params;
    config.presetCount = presets;
    config.channelIO = io;
    config.effectName = "Quillwave";
    config.makerName = "PleoAudio";
    config.uniqueId = FourCharCode("Pqw6");
    config.makerId = FourCharCode("Plvx");
    config.version = 0x00010002;
    config.pluginApi = PluginApi::VST3;
    return config;
  }

  explicit TestEffect(const IEffectConfig& config = Config()) : IEffectBase(config) {}

  // Parameter i spans 0..i + 1 with default (i + 1) / 2, as a double.
  void InitParams()
  {
    for (int i = 0; i < GetParamCount(); ++i)
      GetParam(i)->InitDouble("P", (i + 1) * 0.5, 0.0, i + 1.0, 0.00001);
  }

  void OnParameterChanged(int index) override
  {
    IEffectBase::OnParameterChanged(index);
    changes.push_back(index);
    calls.push_back("changed " + std::to_string(index));
  }
  void BeginHostEdit(int index) override { calls.push_back("begin " + std::to_string(index)); }
  void HostEdit(int index, double normalized) override
  {
    hostValues.push_back(normalized);
    calls.push_back("edit " + std::to_string(index));
  }
  void EndHostEdit(int index) override { calls.push_back("end " + std::to_string(index)); }
  void HostProgramChanged() override {}
  int32_t QuerySamplePosition() override { return 0; }
  double QueryTempo() override { return 120.0; }
  void QueryTimeSignature(int* numerator, int* denominator) override
  {
    *numerator = 4;
    *denominator = 4;
  }
  void QueryTransport(ITransportInfo*) override {}
  void ResizeEditor(int, int) override {}
  bool SendMidiMessage(const IMidiMessage* message) override
  {
    sentMidi.push_back(*message);
    return true;
  }

  std::vector<std::string> calls;
  std::vector<int> changes;
  std::vector<double> hostValues;
  std::vector<IMidiMessage> sentMidi;
};
