#include "tools/pluginhost/Vst3PluginInstance.h"

#include <filesystem>

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/ivstunits.h"
#include "tools/pluginhost/SharedLibrary.h"
#include "tools/pluginhost/Vst3HostObjects.h"
#include "tools/pluginhost/Vst3StereoBlock.h"
#if !defined(_WIN32)
#include "tools/pluginhost/linux/X11EditorFrame.h"
#include "tools/pluginhost/linux/X11HostWindow.h"
#endif

namespace
{

using namespace Steinberg;
using namespace pluginhost;

std::string Narrow(const Vst::TChar* text)
{
  std::string result;
  for (; *text; ++text)
    result += static_cast<char>(*text & 0xFF);
  return result;
}

// A bundle folder holds the module at Contents/<architecture>/<bundle name><extension>.
std::string ModuleFileOf(const std::string& path)
{
  namespace fs = std::filesystem;
  const fs::path bundle(path);
  if (!fs::is_directory(bundle))
    return path;
  return (bundle / "Contents" / kVst3BundlePlatform.architecture / bundle.stem()).string() +
         kVst3BundlePlatform.extension;
}

class Vst3PluginInstance final : public PluginInstance
{
public:
  ~Vst3PluginInstance() override;
  bool Load(const std::string& path, std::string& error);

  std::string Format() const override { return "VST3"; }
  std::string Name() const override { return className; }
  int ParameterCount() const override { return controller->getParameterCount(); }
  HostParameter Parameter(int index) const override;
  double Normalized(int index) const override;
  std::string DisplayText(int index, double normalized) const override;
  std::string ValueText(int index) const override { return DisplayText(index, Normalized(index)); }
  void SetNormalized(int index, double normalized) override;
  void SetPlain(int index, double plain) override;
  std::vector<std::string> Programs() const override;
  std::vector<std::string> Buses() const override;
  bool Prepare(double sampleRate, int32_t maxBlockSize, SamplePrecision precision,
               std::string& error) override;
  void SetTempo(double bpm) override { context.tempo = bpm; }
  void SelectProgram(int index) override;
  void EchoEditorEdits(bool echo) override;
  bool TakesControllers() const override { return midiMapping; }
  bool QueueMidi(const HostMidiMessage& message) override;
  void Process(const float* const* inputs, float** outputs, int32_t frames) override;
  void Process(const double* const* inputs, double** outputs, int32_t frames) override;
  std::vector<uint8_t> SaveState() override;
  bool LoadState(const std::vector<uint8_t>& state) override;
  PlatformEditor* OpenEditor(std::string& error) override;
  void CloseEditor() override;
#if !defined(_WIN32)
  bool OpenX11Editor(X11HostWindow& parent, std::string& error) override;
  void RunX11Editor(int milliseconds) override
  {
    x11Frame.Run(milliseconds);
  }
#endif

private:
  Vst::ParamID IdOf(int index) const;
  void RunBlock(Vst3StereoBlock& block);
  // A control change as a host delivers it: a change of the parameter the plug-in maps
  // the controller to, with the controller's value scaled to 0..1, in the block its offset
  // falls in.
  bool QueueController(const HostMidiMessage& message);
  // Moves the controller changes due within the next `frames` into that block's changes.
  void DeliverControllers(int32 frames);

  SharedLibrary library;
  using ModuleExitFunction = bool (*)();
  ModuleExitFunction moduleExit = nullptr;
  HostApplication hostContext{u"Quillwave Render Host"};
  IPtr<IPluginFactory> factory;
  IPtr<Vst::IComponent> component;
  IPtr<Vst::IAudioProcessor> processor;
  IPtr<Vst::IEditController> controller;
  IPtr<Vst::IMidiMapping> midiMapping;
  ComponentHandler componentHandler;
  std::string className;
  bool initialized = false;
  bool active = false;
  int32 sampleSize = Vst::kSample32;
  ParameterChanges changes;
  struct TimedChange
  {
    Vst::ParamID id;
    int32 offset;
    Vst::ParamValue value;
  };
  std::vector<TimedChange> pendingControllers;
  EventList events;
  Vst::ProcessContext context{};
  PlugFrame frame;
  IPtr<IPlugView> view;
  std::unique_ptr<PlatformEditor> editor;
#if !defined(_WIN32)
  X11EditorFrame x11Frame;
#endif
};

Vst3PluginInstance::~Vst3PluginInstance()
{
  CloseEditor();
  if (active)
  {
    processor->setProcessing(false);
    component->setActive(false);
  }
  if (initialized)
    component->terminate();
  midiMapping = nullptr;
  controller = nullptr;
  processor = nullptr;
  component = nullptr;
  factory = nullptr;
  if (moduleExit)
    moduleExit();
}

bool Vst3PluginInstance::Load(const std::string& path, std::string& error)
{
  if (!library.Open(ModuleFileOf(path), error))
    return false;
  // A Linux host announces the load with ModuleEntry, a Windows host with InitDll; a module
  // exports the pair its platform's hosts call.
  using ModuleEntryFunction = bool (*)(void*);
  using InitDllFunction = bool (*)();
  auto moduleEntry = reinterpret_cast<ModuleEntryFunction>(library.Symbol("ModuleEntry"));
  auto initDll = reinterpret_cast<InitDllFunction>(library.Symbol("InitDll"));
  if (moduleEntry ? !moduleEntry(library.NativeHandle()) : initDll && !initDll())
  {
    error = std::string(moduleEntry ? "ModuleEntry" : "InitDll") + " of " + path + " failed";
    return false;
  }
  moduleExit =
      reinterpret_cast<ModuleExitFunction>(library.Symbol(moduleEntry ? "ModuleExit" : "ExitDll"));
  using GetFactoryFunction = IPluginFactory* (*)();
  auto getFactory = reinterpret_cast<GetFactoryFunction>(library.Symbol("GetPluginFactory"));
  if (!getFactory)
  {
    error = path + " exports no GetPluginFactory: not a VST3 module";
    return false;
  }
  factory = owned(getFactory());
  if (!factory)
  {
    error = "GetPluginFactory of " + path + " returned nothing";
    return false;
  }
  for (int32 i = 0; i < factory->countClasses() && !component; ++i)
  {
    PClassInfo info{};
    if (factory->getClassInfo(i, &info) != kResultOk)
      continue;
    if (std::string(info.category) != kVstAudioEffectClass)
      continue;
    Vst::IComponent* created = nullptr;
    if (factory->createInstance(info.cid, Vst::IComponent::iid,
                                reinterpret_cast<void**>(&created)) == kResultOk)
    {
      component = owned(created);
      className = info.name;
    }
  }
  if (!component)
  {
    error = path + " has no audio effect class that can be created";
    return false;
  }
  if (component->initialize(&hostContext) != kResultOk)
  {
    error = "initialize of " + className + " failed";
    return false;
  }
  initialized = true;
  processor = FUnknownPtr<Vst::IAudioProcessor>(component);
  controller = FUnknownPtr<Vst::IEditController>(component);
  if (!processor || !controller)
  {
    error = className + " is not a single-component effect with processor and controller";
    return false;
  }
  midiMapping = FUnknownPtr<Vst::IMidiMapping>(controller);
  controller->setComponentHandler(&componentHandler);
  context.sampleRate = 44100.0;
  context.tempo = 120.0;
  context.state = Vst::ProcessContext::kTempoValid;
  return true;
}

Vst::ParamID Vst3PluginInstance::IdOf(int index) const
{
  Vst::ParameterInfo info{};
  controller->getParameterInfo(index, info);
  return info.id;
}

HostParameter Vst3PluginInstance::Parameter(int index) const
{
  Vst::ParameterInfo info{};
  controller->getParameterInfo(index, info);
  HostParameter parameter;
  parameter.name = Narrow(info.title);
  parameter.units = Narrow(info.units);
  parameter.id = info.id;
  parameter.defaultNormalized = info.defaultNormalizedValue;
  parameter.stepCount = info.stepCount;
  parameter.automatable = (info.flags & Vst::ParameterInfo::kCanAutomate) != 0;
  return parameter;
}

double Vst3PluginInstance::Normalized(int index) const
{
  return controller->getParamNormalized(IdOf(index));
}

std::string Vst3PluginInstance::DisplayText(int index, double normalized) const
{
  Vst::String128 text{};
  if (controller->getParamStringByValue(IdOf(index), normalized, text) != kResultOk)
    return "";
  return Narrow(text);
}

void Vst3PluginInstance::SetNormalized(int index, double normalized)
{
  const Vst::ParamID id = IdOf(index);
  // As a host does: the controller's view first, then the change for the processor.
  controller->setParamNormalized(id, normalized);
  changes.Add(id, normalized);
}

void Vst3PluginInstance::SetPlain(int index, double plain)
{
  SetNormalized(index, controller->plainParamToNormalized(IdOf(index), plain));
}

std::vector<std::string> Vst3PluginInstance::Programs() const
{
  std::vector<std::string> names;
  FUnknownPtr<Vst::IUnitInfo> units(controller);
  Vst::ProgramListInfo list{};
  if (!units || units->getProgramListInfo(0, list) != kResultOk)
    return names;
  for (int32 i = 0; i < list.programCount; ++i)
  {
    Vst::String128 name{};
    units->getProgramName(list.id, i, name);
    names.push_back(Narrow(name));
  }
  return names;
}

std::vector<std::string> Vst3PluginInstance::Buses() const
{
  std::vector<std::string> buses;
  const struct
  {
    Vst::MediaType type;
    Vst::BusDirection direction;
    const char* kind;
  } kinds[] = {{Vst::kAudio, Vst::kInput, "audio input"},
               {Vst::kAudio, Vst::kOutput, "audio output"},
               {Vst::kEvent, Vst::kInput, "event input"},
               {Vst::kEvent, Vst::kOutput, "event output"}};
  for (const auto& kind : kinds)
  {
    for (int32 i = 0; i < component->getBusCount(kind.type, kind.direction); ++i)
    {
      Vst::BusInfo info{};
      component->getBusInfo(kind.type, kind.direction, i, info);
      buses.push_back(std::string(kind.kind) + " " + std::to_string(i) + ": \"" +
                      Narrow(info.name) + "\", " + std::to_string(info.channelCount) +
                      " channel(s)");
    }
  }
  return buses;
}

bool Vst3PluginInstance::Prepare(double sampleRate, int32_t maxBlockSize, SamplePrecision precision,
                                 std::string& error)
{
  sampleSize = precision == SamplePrecision::Double ? Vst::kSample64 : Vst::kSample32;
  if (processor->canProcessSampleSize(sampleSize) != kResultOk)
  {
    error = className + " cannot process this sample precision";
    return false;
  }
  Vst::SpeakerArrangement stereoIn = Vst::SpeakerArr::kStereo;
  Vst::SpeakerArrangement stereoOut = Vst::SpeakerArr::kStereo;
  if (processor->setBusArrangements(&stereoIn, 1, &stereoOut, 1) != kResultOk)
  {
    error = className + " refuses a stereo input and output";
    return false;
  }
  Vst::ProcessSetup setup{Vst::kOffline, sampleSize, maxBlockSize, sampleRate};
  if (processor->setupProcessing(setup) != kResultOk)
  {
    error = className + " refuses the processing setup";
    return false;
  }
  component->activateBus(Vst::kAudio, Vst::kInput, 0, true);
  component->activateBus(Vst::kAudio, Vst::kOutput, 0, true);
  if (component->getBusCount(Vst::kEvent, Vst::kInput) > 0)
    component->activateBus(Vst::kEvent, Vst::kInput, 0, true);
  component->setActive(true);
  processor->setProcessing(true);
  active = true;
  context.sampleRate = sampleRate;
  return true;
}

void Vst3PluginInstance::SelectProgram(int index)
{
  for (int i = 0; i < ParameterCount(); ++i)
  {
    Vst::ParameterInfo info{};
    controller->getParameterInfo(i, info);
    if (!(info.flags & Vst::ParameterInfo::kIsProgramChange))
      continue;
    SetNormalized(i, info.stepCount > 0 ? static_cast<double>(index) / info.stepCount : 0.0);
    return;
  }
}

void Vst3PluginInstance::EchoEditorEdits(bool echo)
{
  if (!echo)
  {
    componentHandler.onEdit = nullptr;
    return;
  }
  componentHandler.onEdit = [this](Vst::ParamID id, Vst::ParamValue value) {
    changes.Add(id, value);
  };
}

bool Vst3PluginInstance::QueueController(const HostMidiMessage& message)
{
  Vst::ParamID id = 0;
  if (!midiMapping || midiMapping->getMidiControllerAssignment(0, message.status & 0x0F,
                                                               message.data1, id) != kResultOk)
    return false;
  pendingControllers.push_back({id, message.offset, message.data2 / 127.0});
  return true;
}

void Vst3PluginInstance::DeliverControllers(int32 frames)
{
  auto later = pendingControllers.begin();
  for (TimedChange& change : pendingControllers)
  {
    if (change.offset < frames)
    {
      changes.Add(change.id, change.value, change.offset);
    }
    else
    {
      change.offset -= frames;
      *later++ = change;
    }
  }
  pendingControllers.erase(later, pendingControllers.end());
}

bool Vst3PluginInstance::QueueMidi(const HostMidiMessage& message)
{
  const int kind = message.status & 0xF0;
  if (kind == 0xB0)
    return QueueController(message);
  const auto channel = static_cast<int16>(message.status & 0x0F);
  if (kind == 0x90 && message.data2 > 0)
  {
    events.AddNoteOn(message.offset, channel, message.data1,
                     static_cast<float>(message.data2) / 127.0f);
  }
  else if (kind == 0x80 || kind == 0x90)
  {
    events.AddNoteOff(message.offset, channel, message.data1, 0.0f);
  }
  else
  {
    return false;
  }
  return true;
}

void Vst3PluginInstance::RunBlock(Vst3StereoBlock& block)
{
  Vst::ProcessData& data = block.data;
  data.processMode = Vst::kOffline;
  data.inputParameterChanges = &changes;
  data.inputEvents = &events;
  data.processContext = &context;
  DeliverControllers(data.numSamples);
  processor->process(data);
  changes.Clear();
  events.Clear();
  context.projectTimeSamples += data.numSamples;
}

void Vst3PluginInstance::Process(const float* const* inputs, float** outputs, int32_t frames)
{
  Vst3StereoBlock block(inputs, outputs, frames);
  RunBlock(block);
}

void Vst3PluginInstance::Process(const double* const* inputs, double** outputs, int32_t frames)
{
  Vst3StereoBlock block(inputs, outputs, frames);
  RunBlock(block);
}

std::vector<uint8_t> Vst3PluginInstance::SaveState()
{
  ByteStream stream;
  if (component->getState(&stream) != kResultOk)
    return {};
  return stream.bytes;
}

bool Vst3PluginInstance::LoadState(const std::vector<uint8_t>& state)
{
  ByteStream stream(state);
  return component->setState(&stream) == kResultOk;
}

PlatformEditor* Vst3PluginInstance::OpenEditor(std::string& error)
{
  CloseEditor();
  IPtr<IPlugView> created = owned(controller->createView(Vst::ViewType::kEditor));
  if (!created)
  {
    error = className + " has no editor";
    return nullptr;
  }
  const char* const platformType = platformeditor::kVst3PlatformType;
  ViewRect size;
  if (created->isPlatformTypeSupported(platformType) != kResultOk ||
      created->getSize(&size) != kResultOk)
  {
    error = className + " cannot show its editor in a parent of the type " + platformType;
    return nullptr;
  }
  // A VST3 editor has no idle call: its own timer drives it.
  auto opened = platformeditor::Create(size.getWidth(), size.getHeight(), {}, error);
  if (!opened)
    return nullptr;
  created->setFrame(&frame);
  if (created->attached(platformeditor::ParentHandle(*opened), platformType) != kResultOk)
  {
    created->setFrame(nullptr);
    error = className + " did not open its editor";
    return nullptr;
  }
  if (!platformeditor::Attached(*opened))
  {
    created->removed();
    created->setFrame(nullptr);
    error = className + " reported its editor open but put none in the parent";
    return nullptr;
  }
  view = created;
  editor = std::move(opened);
  return editor.get();
}

#if !defined(_WIN32)
bool Vst3PluginInstance::OpenX11Editor(X11HostWindow& parent, std::string& error)
{
  CloseEditor();
  IPtr<IPlugView> created = owned(controller->createView(Vst::ViewType::kEditor));
  if (!created || created->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID) != kResultOk)
  {
    error = className + " has no editor for an X11 window";
    return false;
  }
  created->setFrame(&x11Frame);
  if (created->attached(parent.Handle(), kPlatformTypeX11EmbedWindowID) != kResultOk)
  {
    created->setFrame(nullptr);
    error = className + " did not open its editor in the X11 window";
    return false;
  }
  view = created;
  return true;
}
#endif

void Vst3PluginInstance::CloseEditor()
{
  if (!view)
    return;
  view->removed();
  view->setFrame(nullptr);
  view = nullptr;
  editor.reset();
}

}  // namespace

std::unique_ptr<PluginInstance> LoadVst3Instance(const std::string& path, std::string& error)
{
  auto instance = std::make_unique<Vst3PluginInstance>();
  if (!instance->Load(path, error))
    return nullptr;
  return instance;
}
