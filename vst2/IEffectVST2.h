#pragma once

#include "framework/IEffectBase.h"
#include "framework/IEffectConfig.h"
#include "framework/IStateChunk.h"
#include "vst2/Vst24Interface.h"

#include <cstdint>

// Binds an IEffectBase plug-in to a VST 2.4 host: builds the AEffect record the host
// sees, answers its dispatcher, parameter and process callbacks, and implements the
// framework's host-facing operations by calling the host back. Every AEffect callback
// holds the plug-in mutex for its whole duration.
class IEffectVST2 : public IEffectBase
{
public:
  // What the module entry receives from the host.
  struct HostContext
  {
    audioMasterCallback callback = nullptr;
  };

  // Largest block size the binding accepts from effSetBlockSize; a host that announces more
  // gets this many frames of scratch buffer, and longer blocks are processed in pieces.
  static constexpr int32_t kMaxBlockSize = 65536;
  // Largest chunk effSetChunk accepts. A program chunk is 8 + 8 x parameters bytes (184 for
  // Quillwave) and a bank at most 8 + programs x (4 + 255 + 1 + 8 x parameters); a size
  // beyond 1 MiB is no state of this framework and is refused rather than allocated.
  static constexpr int32_t kMaxChunkSize = 1 << 20;
  // The 'pfft' chunk header and its version.
  static constexpr int32_t kChunkMagic = 0x70666674;
  static constexpr int32_t kChunkVersion = 0x10000;

  IEffectVST2(const IEffectConfig& config, HostContext host);
  ~IEffectVST2() override;

  // The record handed to the host; it lives as long as this object.
  AEffect* GetAEffect() { return &effect; }

  // ---- Framework operations implemented through the host ----
  void BeginHostEdit(int index) override;
  void HostEdit(int index, double normalized) override;
  void EndHostEdit(int index) override;
  void HostProgramChanged() override;
  bool HostRendersOffline() override;
  int32_t QuerySamplePosition() override;
  double QueryTempo() override;
  void QueryTimeSignature(int* numerator, int* denominator) override;
  void QueryTransport(ITransportInfo* info) override;
  // Asks the host for its product string and version on first use.
  HostKind QueryHostKind() override;
  void ResizeEditor(int width, int height) override;
  // Identifies the host once, applies its channel quirks and pushes every parameter.
  void OnHostOpen() override;
  void AttachEditor(IPluginEditor* graphics) override;
  void ChangeLatency(int samples) override;
  bool SendMidiMessage(const IMidiMessage* message) override;
  bool SendSysExMessage(const ISysExMessage* message) override;

  // ---- AEffect callbacks ----
  static VstIntPtr VSTCALLBACK VSTDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                             VstIntPtr value, void* ptr, float opt);
  static void VSTCALLBACK VSTProcess(AEffect* effect, float** inputs, float** outputs,
                                     VstInt32 frames);
  static void VSTCALLBACK VSTProcessReplacing(AEffect* effect, float** inputs, float** outputs,
                                              VstInt32 frames);
  static void VSTCALLBACK VSTProcessDoubleReplacing(AEffect* effect, double** inputs,
                                                    double** outputs, VstInt32 frames);
  static void VSTCALLBACK VSTSetParameter(AEffect* effect, VstInt32 index, float value);
  static float VSTCALLBACK VSTGetParameter(AEffect* effect, VstInt32 index);

private:
  static IEffectVST2* FromEffect(AEffect* effect);

  VstIntPtr CallHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  // The host's time record with the fields `filter` asks for, or null.
  const VstTimeInfo* HostTime(VstInt32 filter);
  void RefreshChannelCounts();
  void ConnectChannels(const VstSpeakerArrangement* inputs, const VstSpeakerArrangement* outputs);

  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
  VstIntPtr GetChunk(VstInt32 index, void* ptr);
  VstIntPtr SetChunk(VstInt32 index, VstIntPtr size, const void* ptr);
  VstIntPtr ProcessEvents(const VstEvents* events);
  VstIntPtr StringToParameter(VstInt32 index, const char* text);
  VstIntPtr GetPinProperties(VstInt32 index, VstPinProperties* properties, bool input);
  VstIntPtr VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
  VstIntPtr CanDo(const char* text) const;
  VstIntPtr GetMidiKeyName(MidiKeyName* key);
  void SetBlockSize(VstIntPtr frames);
  void SetSampleRateFromHost(float rate);

  template <typename Sample>
  void ProcessBlock(Sample** inputs, Sample** outputs, VstInt32 frames, FloatOutput mode);
  void SetParameterFromHost(VstInt32 index, float value);
  float GetParameterForHost(VstInt32 index) const;

  // Editor-facing operations; without an attached editor they do nothing.
  void SetEditorRect(int width, int height);
  VstIntPtr GetEditorRect(void* ptr);
  VstIntPtr OpenEditor(void* parent);
  VstIntPtr CloseEditor();
  // effEditIdle: the platform's idle work for an open editor (Vst2EditorIdle.h).
  VstIntPtr IdleEditor();

  audioMasterCallback hostCallback = nullptr;
  bool hostKnown = false;
  IStateChunk programChunk;
  IStateChunk bankChunk;
  AEffect effect{};
  ERect editorRect{};
  VstSpeakerArrangement inputArrangement{};
  VstSpeakerArrangement outputArrangement{};
};

// The plug-in the module's entry points create for each host that asks. The
// product built on this binding defines it; it throws when the plug-in cannot
// be built.
IEffectVST2* CreatePlugin(IEffectVST2::HostContext host, void* moduleInstance);
