#pragma once

#include "framework/FourCharCode.h"
#include "vst2/IEffectVST2.h"

#include <cstdint>
#include <string>
#include <vector>

// A small plug-in on the VST2 binding that records the hooks the binding calls. Its texts
// are longer than every host buffer bound, so that truncation can be observed.
class TestPlugin final : public IEffectVST2
{
public:
  static constexpr int kGain = 0;    // double 0..1, default 0.5
  static constexpr int kOffset = 1;  // double -10..10, negated display, long name and label
  static constexpr int kMode = 2;    // enum "Chorus" / "Flanger"
  static constexpr int kSteps = 3;   // int 0..100
  static constexpr int kParamCount = 4;
  static constexpr int kPresetCount = 2;

  // 31 characters, the most an IParameter name holds.
  static constexpr const char* kLongName = "OffsetWithAVeryLongNameForHosts";
  static constexpr const char* kLongLabel = "semitones";
  // 40, 70 and 70 characters.
  static constexpr const char* kEffectName = "TestPluginEffectNameLongerThanThirtyTwo!";
  static constexpr const char* kMakerName =
      "MakerNameThatIsLongerThanTheSixtyFourBytesAVendorStringMayHoldInVST2!";
  static constexpr const char* kProductName =
      "ProductNameThatIsLongerThanTheSixtyFourBytesAProductStringMayHoldOK!!";

  static IEffectConfig Config(const char* channelIO = "2-2");

  explicit TestPlugin(HostContext host = {}, const char* channelIO = "2-2");
  ~TestPlugin() override;

  void OnReset() override;
  void OnParameterChanged(int index) override;
  // Output c = input c / 3 + (c + 1) / 8: not exact in single precision.
  void ProcessDouble(double** inputs, double** outputs, int frames) override;
  void OnActivation(bool active) override;
  void OnMidiMessage(const IMidiMessage* message) override;
  void OnSysExMessage(const ISysExMessage* message) override;
  void OnHostKnown() override;
  void OnEditorOpen() override { ++editorOpens; }
  void OnEditorClose() override { ++editorCloses; }

  static double Expected(double input, int channel) { return input / 3.0 + (channel + 1) / 8.0; }

  bool* destroyed = nullptr;
  int resets = 0;
  int hostKnownCalls = 0;
  int editorOpens = 0;
  int editorCloses = 0;
  std::vector<int> changes;
  std::vector<int> blocks;
  std::vector<bool> activations;
  std::vector<IMidiMessage> midi;
  std::vector<std::vector<uint8_t>> sysex;
  std::vector<int32_t> sysexOffsets;
  std::vector<double> tempos;
};
