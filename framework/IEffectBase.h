#pragma once

#include "framework/BypassDelayLine.h"
#include "framework/HostKind.h"
#include "framework/IChannelConfig.h"
#include "framework/IEffectConfig.h"
#include "framework/IInputChannel.h"
#include "framework/IMidiMessage.h"
#include "framework/IMutex.h"
#include "framework/IOutputChannel.h"
#include "framework/IParameter.h"
#include "framework/IPresetSlot.h"
#include "framework/IStateChunk.h"
#include "framework/ISysExMessage.h"
#include "framework/ITransportInfo.h"
#include "framework/ParamChange.h"
#include "framework/PluginApi.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class IParameterView;
class IPluginEditor;

// Base of every plug-in object: parameters, program slots, identity, channel
// configuration and buffers, the processing frame around one host block, the
// editor connection and the recursive mutex that serialises all of it. A
// binding class derives from it and supplies the host-facing operations; the
// product derives from the binding.
class IEffectBase
{
public:
  // How converted single-precision outputs reach the host buffers.
  enum class FloatOutput
  {
    Replace,
    Accumulate,
  };

  explicit IEffectBase(const IEffectConfig& config);

  IEffectBase(const IEffectBase&) = delete;
  IEffectBase& operator=(const IEffectBase&) = delete;

  // ---- Virtual operations ----
  virtual ~IEffectBase();
  virtual void OnReset();
  virtual void OnParameterChanged(int index);
  // Default: output i copies input i; outputs without an input are zeroed.
  virtual void ProcessDouble(double** inputs, double** outputs, int frames);
  virtual void ProcessFloat(float** inputs, float** outputs, int frames);
  virtual void OnEditorOpen();
  virtual void OnEditorClose();
  virtual void OnIdle();
  virtual void OnActivation(bool active);
  // Default: forwards the message to SendMidiMessage.
  virtual void OnMidiMessage(const IMidiMessage* message);
  virtual void OnSysExMessage(const ISysExMessage* message);
  // Default: no note names; `text` (if any) becomes empty.
  virtual bool GetNoteText(int noteNumber, char* text);
  // Default: SerializeParams.
  virtual bool WriteState(IStateChunk& chunk);
  // Default: UnserializeParams.
  virtual int32_t ReadState(const IStateChunk& chunk, int32_t pos);
  // Compares a stored parameter block with the live values. The caller
  // guarantees that `data` holds start + parameter count doubles.
  virtual bool StateMatches(const uint8_t* data, int start);
  virtual void OnEditorResized();
  virtual bool QueryEditorResizable();
  virtual void OnHostKnown();
  virtual void ShowHostParamMenu(int index, int x, int y);
  // ChangeParameter from the editor, with a normalised value.
  virtual void SetParamFromEditor(int index, double normalized);
  virtual void BeginHostEdit(int index) = 0;
  virtual void HostEdit(int index, double normalized) = 0;
  virtual void EndHostEdit(int index) = 0;
  virtual void HostProgramChanged() = 0;
  virtual bool HostRendersOffline();
  virtual int32_t QuerySamplePosition() = 0;
  virtual double QueryTempo() = 0;
  virtual void QueryTimeSignature(int* numerator, int* denominator) = 0;
  virtual void QueryTransport(ITransportInfo* info) = 0;
  // Default: the stored host kind.
  virtual HostKind QueryHostKind();
  virtual PluginApi QueryPluginApi();
  virtual void ResizeEditor(int width, int height) = 0;
  virtual void OnHostOpen();
  // Pushes every parameter into the editor's controls and keeps the editor,
  // which the plug-in then owns. Null attaches nothing.
  virtual void AttachEditor(IPluginEditor* graphics);
  // Sets the latency and resizes the bypass delay line to it.
  virtual void ChangeLatency(int samples);
  virtual bool SendMidiMessage(const IMidiMessage* message) = 0;
  virtual bool SendSysExMessage(const ISysExMessage* message);
  // Hands every plain value to the attached editor; nothing without one.
  virtual void RefreshEditorFromParams();
  virtual void OnEditorIdle();
  virtual void OnPresetsChanged();
  // Sizes every scratch buffer to `frames` doubles (zeroed) and makes it the
  // block size. Allocates: call it outside the audio thread.
  virtual void ResizeBlock(int frames);

  // ---- Parameters ----
  // The one way a parameter changes. Under the mutex: stores `value`
  // (normalised, or plain limited to the range), then, by source:
  // - the parameter view (the editor unless a product set its own) shows the
  //   value as given, unless the editor made the change or a state is
  //   restored. A preset file's numbers are on the 0-to-1 scale of every
  //   parameter a preset holds, so they reach the view as normalised values;
  // - the host hears the value (HostEdit) when the editor made the change;
  // - OnParameterChanged runs, except for a state: whoever restores one runs
  //   it for every parameter once all values are in, so no parameter's hook
  //   sees a half-restored state.
  // Invalid indices are ignored.
  void ChangeParameter(int index, double value, ParamForm form, ParamSource source);
  // Where ChangeParameter shows changes; null shows them in the editor.
  void SetParameterView(IParameterView* view);
  // Null for an index out of range.
  IParameter* GetParam(int index);
  const IParameter* GetParam(int index) const;
  int GetParamCount() const { return static_cast<int>(params.size()); }
  // Calls OnParameterChanged for every parameter in index order.
  void NotifyAllParams();

  // Parameter group names in first-seen order. AddParamGroup returns the
  // 1-based position of `group` (appended when new), or 0 for an empty or
  // null name. The name must outlive the plug-in (parameter groups do).
  int AddParamGroup(const char* group);
  int GetParamGroupCount() const { return static_cast<int>(groupNames.size()); }
  // 0-based; empty for an index out of range.
  const char* GetParamGroupName(int index) const;

  // ---- State and programs ----
  // Appends the plain value of every parameter as a little-endian double.
  // False (and the chunk as before) when the chunk cannot grow.
  bool SerializeParams(IStateChunk& chunk);
  // Reads values from `pos` on, limited to each range; every parameter's
  // OnParameterChanged runs. Returns the position after the last value, or
  // -1 when the chunk ran out (that parameter becomes 0 limited to its range).
  int32_t UnserializeParams(const IStateChunk& chunk, int32_t pos);
  // Names the first uninitialised slot "Init" and captures the current state.
  void CaptureInitPreset();
  bool LoadPreset(int index);
  // Recaptures the current slot; a non-empty name also renames it.
  void ModifyCurrentPreset(const char* name = nullptr);
  // Initialises up to `count` empty slots with the current state, named
  // `name` ("Empty" when null or empty).
  void FillEmptyPresets(const char* name, int count);
  bool SerializePresets(IStateChunk& chunk);
  int32_t UnserializePresets(const IStateChunk& chunk, int32_t pos);

  int GetPresetCount() const { return static_cast<int>(presets.size()); }
  // Null for an index out of range.
  IPresetSlot* GetPresetSlot(int index);
  const IPresetSlot* GetPresetSlot(int index) const;
  // Empty for an index out of range.
  const char* GetPresetName(int index) const;
  int GetCurrentPreset() const { return currentPreset; }

  // ---- Identity and host ----
  const char* GetEffectName() const { return effectName; }
  const char* GetProductName() const { return productName; }
  const char* GetMakerName() const { return makerName; }
  int32_t GetUniqueId() const { return uniqueId; }
  int32_t GetMakerId() const { return makerId; }
  int32_t GetVersion() const { return version; }
  HostKind GetHostKind() const { return hostKind; }
  int32_t GetHostVersion() const { return hostVersion; }
  void SetHostKind(HostKind kind, int32_t version = 0);
  bool DoesStateChunks() const { return doesStateChunks; }
  bool IsInstrument() const { return isInstrument; }
  bool DoesMidi() const { return doesMidi; }
  // The parameter MIDI controller `controller` drives on the plug-in's
  // channel, or -1 (see IEffectConfig::controllerParameter).
  int32_t ControllerParameter(int controller) const;

  // ---- Processing settings ----
  double GetSampleRate() const { return sampleRate; }
  void SetSampleRate(double rate) { sampleRate = rate; }
  int GetBlockSize() const { return blockSize; }
  int GetLatency() const { return latency; }
  int GetTailSize() const { return tailSize; }
  // How long the output rings after the input stops, in samples; bindings
  // report it to hosts, which read it when they activate the plug-in.
  void SetTailSize(int samples) { tailSize = std::max(samples, 0); }
  // A VST3 host reads the bypass switch without the mutex (getParamNormalized),
  // so it is atomic; the processing frame reads it once per piece.
  bool IsBypassed() const { return bypassed.load(std::memory_order_relaxed); }
  void SetBypassed(bool bypass) { bypassed.store(bypass, std::memory_order_relaxed); }

  // ---- Channels ----
  bool LegalIO(int inputs, int outputs) const;
  int GetChannelConfigCount() const { return static_cast<int>(channelConfigs.size()); }
  // Null for an index out of range.
  const IChannelConfig* GetChannelConfig(int index) const;
  int GetInputChannelCount() const { return static_cast<int>(inputChannels.size()); }
  int GetOutputChannelCount() const { return static_cast<int>(outputChannels.size()); }
  // Null for an index out of range.
  IInputChannel* GetInputChannel(int index);
  IOutputChannel* GetOutputChannel(int index);
  double** GetInputData() { return inputData.data(); }
  double** GetOutputData() { return outputData.data(); }
  // Channel group names; setting an index beyond the list extends it with
  // empty names. Reading out of range gives an empty name.
  void SetInputBusName(int index, const char* name);
  void SetOutputBusName(int index, const char* name);
  const char* GetInputBusName(int index) const;
  const char* GetOutputBusName(int index) const;

  // Creates the delay line used while bypassed, sized to the current latency.
  // Allocates: the binding calls it at construction.
  void CreateBypassDelayLine();
  BypassDelayLine* GetBypassDelayLine() { return bypassDelayLine.get(); }

  // ---- Processing frame around one host block ----
  // A binding marks channels connected, attaches the block's host buffers and
  // runs the frame. Host buffers are consumed in order, one per connected
  // channel among channels [first, first + count) (count -1: to the last
  // channel); a null buffer leaves that channel silent for the block.
  // Disconnecting a channel points it at its own scratch buffer.
  void SetInputConnected(int channel, bool connected);
  void SetOutputConnected(int channel, bool connected);
  void AttachInputBuffers(const float* const* buffers, int first = 0, int count = -1);
  void AttachInputBuffers(double* const* buffers, int first = 0, int count = -1);
  void AttachOutputBuffers(float* const* buffers, int first = 0, int count = -1);
  void AttachOutputBuffers(double* const* buffers, int first = 0, int count = -1);
  // Processes the attached buffers: single-precision inputs are converted to
  // double, then the bypass path (the delay line when latency > 0, else the
  // pass-through) or ProcessDouble runs, and single-precision outputs are
  // converted back, replacing or adding to the host's contents. A block
  // longer than the block size is processed in pieces of the block size; with
  // a block size of 0 the connected outputs are silenced. Allocates nothing.
  // The caller holds the mutex.
  void ProcessFrame(int frames, FloatOutput mode = FloatOutput::Replace);
  // Sets block size doubles of every scratch buffer to 0.
  void ZeroScratchBuffers();

  // ---- Locking and editor ----
  IMutex& Mutex() const { return mutex; }
  IPluginEditor* GetEditor() const { return editor; }

private:
  void PassThrough(double* const* inputs, double* const* outputs, int frames);
  void ProcessPiece(int offset, int frames, FloatOutput mode);
  void SilenceOutputs(int frames, FloatOutput mode);
  void DestroyEditor();
  int32_t ReadPresetRecord(const IStateChunk& chunk, int32_t pos, IPresetSlot& slot, char* name);

  std::vector<IChannelConfig> channelConfigs;
  mutable IMutex mutex;
  char effectName[128] = {};
  char productName[128] = {};
  char makerName[128] = {};
  int32_t uniqueId = 0;
  int32_t makerId = 0;
  int32_t version = 0;
  PluginApi pluginApi = PluginApi::VST2;
  HostKind hostKind = HostKind::NotIdentified;
  int32_t hostVersion = 0;
  bool doesStateChunks = false;
  bool isInstrument = false;
  bool doesMidi = true;
  int32_t (*controllerParameter)(uint8_t controller) = nullptr;
  std::atomic<bool> bypassed{false};
  int32_t currentPreset = 0;
  double sampleRate = 44100.0;
  int32_t blockSize = 0;
  int32_t latency = 0;
  int32_t tailSize = 0;
  std::unique_ptr<BypassDelayLine> bypassDelayLine;
  std::vector<const char*> groupNames;
  IPluginEditor* editor = nullptr;
  IParameterView* parameterView = nullptr;
  std::vector<IParameter> params;
  std::vector<IPresetSlot> presets;
  std::vector<double*> inputData;
  std::vector<double*> outputData;
  std::vector<IInputChannel> inputChannels;
  std::vector<IOutputChannel> outputChannels;
  std::vector<std::string> inputBusNames;
  std::vector<std::string> outputBusNames;
};
