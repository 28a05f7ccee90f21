#include "tools/pluginhost/Vst2PluginInstance.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "tools/pluginhost/SharedLibrary.h"
#if !defined(_WIN32)
#include "tools/pluginhost/linux/X11HostWindow.h"
#endif
#include "vst2/Vst24Interface.h"

namespace
{

// Text buffers handed to the plug-in: larger than any the interface documents, as hosts do.
constexpr size_t kTextBufferSize = 256;

class Vst2PluginInstance final : public PluginInstance
{
public:
  ~Vst2PluginInstance() override;
  bool Load(const std::string& path, std::string& error);

  std::string Format() const override { return "VST2"; }
  std::string Name() const override;
  int ParameterCount() const override { return effect->numParams; }
  HostParameter Parameter(int index) const override;
  double Normalized(int index) const override { return effect->getParameter(effect, index); }
  std::string DisplayText(int index, double normalized) const override;
  std::string ValueText(int index) const override { return Text(effGetParamDisplay, index); }
  void SetNormalized(int index, double normalized) override;
  void SetPlain(int index, double plain) override;
  std::vector<std::string> Programs() const override;
  std::vector<std::string> Buses() const override;
  bool Prepare(double sampleRate, int32_t maxBlockSize, SamplePrecision precision,
               std::string& error) override;
  void SetTempo(double bpm) override { timeInfo.tempo = bpm; }
  void SelectProgram(int index) override { Dispatch(effSetProgram, 0, index); }
  void EchoEditorEdits(bool echo) override { echoEdits = echo; }
  bool TakesControllers() const override { return true; }
  bool QueueMidi(const HostMidiMessage& message) override;
  void Process(const float* const* inputs, float** outputs, int32_t frames) override;
  void Process(const double* const* inputs, double** outputs, int32_t frames) override;
  std::vector<uint8_t> SaveState() override;
  bool LoadState(const std::vector<uint8_t>& state) override;
  PlatformEditor* OpenEditor(std::string& error) override;
  void CloseEditor() override;
#if !defined(_WIN32)
  bool OpenX11Editor(X11HostWindow& parent, std::string& error) override;
  void RunX11Editor(int milliseconds) override;
#endif

private:
  static VstIntPtr VSTCALLBACK HostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                            VstIntPtr value, void* ptr, float opt);
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) const
  {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
  }
  std::string Text(VstInt32 opcode, VstInt32 index) const;
  void DeliverMidi();
  // The editor's echoed edits, ahead of the block as a host's setParameter calls.
  void DeliverEdits();
  void Advance(int32_t frames);

  // The instance that VSTPluginMain is constructing; its AEffect is not known yet.
  static thread_local Vst2PluginInstance* loading;

  SharedLibrary library;
  AEffect* effect = nullptr;
  bool active = false;
  int32_t blockSize = 0;
  VstTimeInfo timeInfo{};
  bool echoEdits = false;
  struct Edit
  {
    VstInt32 index;
    float value;
  };
  std::vector<Edit> pendingEdits;
  std::vector<VstMidiEvent> pendingMidi;
  std::vector<unsigned char> eventList;
  std::vector<double> defaults;
  std::unique_ptr<PlatformEditor> editor;
  // An editor open in an X11 window, which has no PlatformEditor.
  bool x11EditorOpen = false;
};

thread_local Vst2PluginInstance* Vst2PluginInstance::loading = nullptr;

Vst2PluginInstance::~Vst2PluginInstance()
{
  if (!effect)
    return;
  CloseEditor();
  if (active)
    Dispatch(effMainsChanged, 0, 0);
  Dispatch(effClose);
}

VstIntPtr VSTCALLBACK Vst2PluginInstance::HostCallback(AEffect* effect, VstInt32 opcode,
                                                       VstInt32 index, VstIntPtr, void* ptr,
                                                       float opt)
{
  Vst2PluginInstance* self =
      effect && effect->user ? static_cast<Vst2PluginInstance*>(effect->user) : loading;
  switch (opcode)
  {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterWantMidi:
      return 1;
    case audioMasterAutomate:
      if (self && self->echoEdits)
        self->pendingEdits.push_back({index, opt});
      return 0;
    case audioMasterGetTime:
      return self ? reinterpret_cast<VstIntPtr>(&self->timeInfo) : 0;
    case audioMasterGetSampleRate:
      return self ? static_cast<VstIntPtr>(self->timeInfo.sampleRate) : 0;
    case audioMasterGetBlockSize:
      return self ? self->blockSize : 0;
    case audioMasterGetCurrentProcessLevel:
      return 4;  // offline: this host renders files
    case audioMasterGetProductString:
      if (ptr)
        std::snprintf(static_cast<char*>(ptr), kVstMaxProductStrLen, "Quillwave Render Host");
      return ptr ? 1 : 0;
    case audioMasterGetVendorString:
      if (ptr)
        std::snprintf(static_cast<char*>(ptr), kVstMaxVendorStrLen, "Quillwave");
      return ptr ? 1 : 0;
    case audioMasterGetVendorVersion:
      return 10000;
    default:
      return 0;
  }
}

bool Vst2PluginInstance::Load(const std::string& path, std::string& error)
{
  if (!library.Open(path, error))
    return false;
  using EntryFunction = AEffect*(VSTCALLBACK*)(audioMasterCallback);
  auto entry = reinterpret_cast<EntryFunction>(library.Symbol("VSTPluginMain"));
  if (!entry)
  {
    error = path + " exports no VSTPluginMain: not a VST2 module";
    return false;
  }
  timeInfo.sampleRate = 44100.0;
  timeInfo.tempo = 120.0;
  timeInfo.timeSigNumerator = 4;
  timeInfo.timeSigDenominator = 4;
  timeInfo.flags = kVstTempoValid | kVstTimeSigValid;
  loading = this;
  AEffect* created = entry(&HostCallback);
  loading = nullptr;
  if (!created || created->magic != kEffectMagic)
  {
    error = "VSTPluginMain of " + path + " returned no plug-in";
    return false;
  }
  effect = created;
  effect->user = this;
  Dispatch(effOpen);
  for (int i = 0; i < effect->numParams; ++i)
    defaults.push_back(Normalized(i));
  return true;
}

std::string Vst2PluginInstance::Text(VstInt32 opcode, VstInt32 index) const
{
  char text[kTextBufferSize] = {};
  Dispatch(opcode, index, 0, text);
  text[kTextBufferSize - 1] = '\0';
  return text;
}

std::string Vst2PluginInstance::Name() const
{
  return Text(effGetEffectName, 0);
}

HostParameter Vst2PluginInstance::Parameter(int index) const
{
  HostParameter parameter;
  parameter.name = Text(effGetParamName, index);
  parameter.units = Text(effGetParamLabel, index);
  parameter.id = static_cast<uint32_t>(index);
  parameter.defaultNormalized = defaults[static_cast<size_t>(index)];
  parameter.automatable = Dispatch(effCanBeAutomated, index) != 0;
  return parameter;
}

std::string Vst2PluginInstance::DisplayText(int index, double normalized) const
{
  // Quillwave answers this vendor-specific query (0xBEEF) with the text for any value.
  char text[kTextBufferSize] = {};
  if (Dispatch(effVendorSpecific, 7, index, text, static_cast<float>(normalized)) != 0xBEEF)
    return "";
  text[kTextBufferSize - 1] = '\0';
  return text;
}

void Vst2PluginInstance::SetNormalized(int index, double normalized)
{
  effect->setParameter(effect, index, static_cast<float>(normalized));
}

void Vst2PluginInstance::SetPlain(int index, double plain)
{
  char text[64];
  std::snprintf(text, sizeof text, "%.17g", plain);
  Dispatch(effString2Parameter, index, 0, text);
}

std::vector<std::string> Vst2PluginInstance::Programs() const
{
  std::vector<std::string> names;
  for (int i = 0; i < effect->numPrograms; ++i)
    names.push_back(Text(effGetProgramNameIndexed, i));
  return names;
}

std::vector<std::string> Vst2PluginInstance::Buses() const
{
  std::vector<std::string> pins;
  const struct
  {
    VstInt32 opcode;
    int count;
    const char* kind;
  } kinds[] = {{effGetInputProperties, effect->numInputs, "input"},
               {effGetOutputProperties, effect->numOutputs, "output"}};
  for (const auto& kind : kinds)
  {
    for (int i = 0; i < kind.count; ++i)
    {
      VstPinProperties properties{};
      if (!Dispatch(kind.opcode, i, 0, &properties))
        continue;
      properties.label[kVstMaxLabelLen - 1] = '\0';
      pins.push_back(std::string(kind.kind) + " pin " + std::to_string(i) + ": \"" +
                     properties.label + "\"" +
                     ((properties.flags & kVstPinIsStereo) ? ", first of a stereo pair" : ""));
    }
  }
  return pins;
}

bool Vst2PluginInstance::Prepare(double sampleRate, int32_t maxBlockSize, SamplePrecision precision,
                                 std::string& error)
{
  if (precision == SamplePrecision::Double && !(effect->flags & effFlagsCanDoubleReplacing))
  {
    error = Name() + " cannot process double precision";
    return false;
  }
  timeInfo.sampleRate = sampleRate;
  blockSize = maxBlockSize;
  Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
  Dispatch(effSetBlockSize, 0, maxBlockSize);
  Dispatch(effMainsChanged, 0, 1);
  active = true;
  return true;
}

bool Vst2PluginInstance::QueueMidi(const HostMidiMessage& message)
{
  VstMidiEvent event{};
  event.type = kVstMidiType;
  event.byteSize = sizeof(VstMidiEvent);
  event.deltaFrames = message.offset;
  event.midiData[0] = static_cast<char>(message.status);
  event.midiData[1] = static_cast<char>(message.data1);
  event.midiData[2] = static_cast<char>(message.data2);
  pendingMidi.push_back(event);
  return true;
}

void Vst2PluginInstance::DeliverMidi()
{
  if (pendingMidi.empty())
    return;
  // VstEvents declares two event pointers and really holds numEvents of them.
  const size_t count = pendingMidi.size();
  eventList.assign(sizeof(VstEvents) + count * sizeof(VstEvent*), 0);
  auto* list = reinterpret_cast<VstEvents*>(eventList.data());
  list->numEvents = static_cast<VstInt32>(count);
  for (size_t i = 0; i < count; ++i)
    list->events[i] = reinterpret_cast<VstEvent*>(&pendingMidi[i]);
  Dispatch(effProcessEvents, 0, 0, list);
  pendingMidi.clear();
}

void Vst2PluginInstance::DeliverEdits()
{
  // Taken first: setParameter may report further edits.
  std::vector<Edit> edits;
  edits.swap(pendingEdits);
  for (const Edit& edit : edits)
    effect->setParameter(effect, edit.index, edit.value);
}

void Vst2PluginInstance::Advance(int32_t frames)
{
  timeInfo.samplePos += frames;
}

void Vst2PluginInstance::Process(const float* const* inputs, float** outputs, int32_t frames)
{
  DeliverEdits();
  DeliverMidi();
  effect->processReplacing(effect, const_cast<float**>(inputs), outputs, frames);
  Advance(frames);
}

void Vst2PluginInstance::Process(const double* const* inputs, double** outputs, int32_t frames)
{
  DeliverEdits();
  DeliverMidi();
  effect->processDoubleReplacing(effect, const_cast<double**>(inputs), outputs, frames);
  Advance(frames);
}

std::vector<uint8_t> Vst2PluginInstance::SaveState()
{
  void* data = nullptr;
  const VstIntPtr size = Dispatch(effGetChunk, 1, 0, &data);
  if (size <= 0 || !data)
    return {};
  const auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

bool Vst2PluginInstance::LoadState(const std::vector<uint8_t>& state)
{
  std::vector<uint8_t> copy(state);
  return Dispatch(effSetChunk, 1, static_cast<VstIntPtr>(copy.size()), copy.data()) == 1;
}

PlatformEditor* Vst2PluginInstance::OpenEditor(std::string& error)
{
  CloseEditor();
  ERect* rect = nullptr;
  if (!(effect->flags & effFlagsHasEditor) || Dispatch(effEditGetRect, 0, 0, &rect) != 1 || !rect)
  {
    error = Name() + " has no editor";
    return nullptr;
  }
  auto opened = platformeditor::Create(
      rect->right - rect->left, rect->bottom - rect->top, [this] { Dispatch(effEditIdle); }, error);
  if (!opened)
    return nullptr;
  if (Dispatch(effEditOpen, 0, 0, platformeditor::ParentHandle(*opened)) != 1)
  {
    error = Name() + " did not open its editor";
    return nullptr;
  }
  if (!platformeditor::Attached(*opened))
  {
    Dispatch(effEditClose);
    error = Name() + " reported its editor open but put none in the parent";
    return nullptr;
  }
  editor = std::move(opened);
  return editor.get();
}

void Vst2PluginInstance::CloseEditor()
{
  if (!editor && !x11EditorOpen)
    return;
  Dispatch(effEditClose);
  editor.reset();
  x11EditorOpen = false;
}

#if !defined(_WIN32)
bool Vst2PluginInstance::OpenX11Editor(X11HostWindow& parent, std::string& error)
{
  CloseEditor();
  if (!(effect->flags & effFlagsHasEditor))
  {
    error = Name() + " has no editor";
    return false;
  }
  if (Dispatch(effEditOpen, 0, 0, parent.Handle()) != 1)
  {
    error = Name() + " did not open its editor in the X11 window";
    return false;
  }
  x11EditorOpen = true;
  return true;
}

void Vst2PluginInstance::RunX11Editor(int milliseconds)
{
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end)
  {
    Dispatch(effEditIdle);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}
#endif

}  // namespace

std::unique_ptr<PluginInstance> LoadVst2Instance(const std::string& path, std::string& error)
{
  auto instance = std::make_unique<Vst2PluginInstance>();
  if (!instance->Load(path, error))
    return nullptr;
  return instance;
}
