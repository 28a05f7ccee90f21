#pragma once

#include "framework/FourCharCode.h"
#include "framework/IEffectBase.h"

#include <string>
#include <vector>

// A plug-in whose host-facing calls are answered locally and recorded in
// order: "begin 3", "set 3 0.5", "end 3", "menu 3 10 20", "resize 300 200".
// Parameter i spans 0..10 with default 5 unless a test initialises it.
class RecordingPlugin : public IEffectBase
{
public:
  explicit RecordingPlugin(PluginApi api = PluginApi::VST2, int params = 8)
      : IEffectBase(Config(api, params))
  {
    for (int i = 0; i < GetParamCount(); ++i)
      GetParam(i)->InitDouble("Level", 5.0, 0.0, 10.0, 0.00001, "dB");
  }

  void SetParamFromEditor(int index, double normalized) override
  {
    calls.push_back("set " + std::to_string(index) + " " + Number(normalized));
    sent.push_back(normalized);
    IEffectBase::SetParamFromEditor(index, normalized);
  }
  void BeginHostEdit(int index) override { calls.push_back("begin " + std::to_string(index)); }
  void HostEdit(int, double) override {}
  void EndHostEdit(int index) override { calls.push_back("end " + std::to_string(index)); }
  void ShowHostParamMenu(int index, int x, int y) override
  {
    calls.push_back("menu " + std::to_string(index) + " " + std::to_string(x) + " " +
                    std::to_string(y));
  }
  void ResizeEditor(int width, int height) override
  {
    calls.push_back("resize " + std::to_string(width) + " " + std::to_string(height));
  }
  void HostProgramChanged() override {}
  int32_t QuerySamplePosition() override { return 0; }
  double QueryTempo() override { return 120.0; }
  void QueryTimeSignature(int* numerator, int* denominator) override
  {
    *numerator = 4;
    *denominator = 4;
  }
  void QueryTransport(ITransportInfo*) override {}
  bool SendMidiMessage(const IMidiMessage*) override { return false; }

  // Short decimal form, enough to tell the values of a test apart.
  static std::string Number(double value)
  {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
  }

  std::vector<std::string> calls;
  std::vector<double> sent;

private:
  static IEffectConfig Config(PluginApi api, int params)
  {
    IEffectConfig config;
    config.parameterCount = params;
    config.presetCount = 1;
    config.channelIO = "2-2";
    config.effectName = "Quillwave";
    config.makerName = "PleoAudio";
    config.uniqueId = FourCharCode("Pqw6");
    config.makerId = FourCharCode("Plvx");
    config.version = 0x00010002;
    config.pluginApi = api;
    return config;
  }
};
