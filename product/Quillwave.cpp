#include "product/Quillwave.h"

#include "engine/EngineTail.h"
#include "framework/FourCharCode.h"
#include "product/ControllerMap.h"
#include "product/PresetCatalogue.h"
#include "product/PresetFile.h"
#include "product/PresetLibrary.h"
#include "product/QuillwaveEditor.h"

#include "QuillwaveVersion.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>

namespace
{

constexpr int kParamCount = kEngineNumParams;
constexpr int32_t kMidiQueueCapacity = 1024;
constexpr double kParameterStep = 0.00001;
constexpr double kMaxTempo = 1000.0;

IEffectConfig QuillwaveConfig()
{
  IEffectConfig config;
  config.parameterCount = kParamCount;
  config.presetCount = 1;
  config.channelIO = "2-2";
  config.effectName = "Quillwave";
  config.productName = "Quillwave";
  config.makerName = QUILLWAVE_VENDOR;
  config.uniqueId = FourCharCode("Pqw6");
  config.makerId = FourCharCode("Plvx");
  config.version = kQuillwaveVersion;
  config.controllerParameter = ControllerParameter;
  return config;
}

// The engine, created for the framework's initial sample rate. Running out of
// memory here fails the construction like any other allocation of it.
EngineState* CreateEngine(double sampleRate)
{
  EngineState* const state = EngineCreate(sampleRate);
  if (state == nullptr)
  {
    throw std::bad_alloc();
  }
  return state;
}

}  // namespace

Quillwave::Quillwave(QuillwaveBinding::HostContext host, void* moduleInstance)
    : QuillwaveBinding(QuillwaveConfig(), host),
      midiQueue(kMidiQueueCapacity),
      engine(CreateEngine(GetSampleRate())),
      libraryFolder(PresetLibraryFolder()),
      presetLibrary(PresetLibrarySnapshot::Read())
{
  for (int i = 0; i < kParamCount; ++i)
  {
    const EngineParamInfo& info = engine->params[i];
    GetParam(i)->InitDouble(info.name, info.defaultValue, info.min, info.max, kParameterStep,
                            info.units, "", 1.0);
  }
  BuildEditor(moduleInstance);
  CaptureInitPreset();
  SetTailSize(EngineTailSamples(GetSampleRate()));
}

Quillwave::~Quillwave() = default;

void Quillwave::BuildEditor(void* moduleInstance)
{
  editorLayout = std::make_unique<QuillwaveEditor>(*this, moduleInstance);
  AttachEditorView(editorLayout.get());
}

void Quillwave::AttachEditorView(QuillwaveEditorView* view)
{
  IMutexLock lock(Mutex());
  editorView = view;
  SetParameterView(view);
}

void Quillwave::OnReset()
{
  IMutexLock lock(Mutex());
  engine->sampleRate = GetSampleRate();
  EngineReset(engine.get(), engine->sampleRate, engine->vectorSize);
  for (int i = 0; i < kParamCount; ++i)
  {
    EngineSetParameter(engine.get(), static_cast<uint32_t>(i), GetParam(i)->Value());
  }
  StoreParameter(kPresetSelector, 0.0);
  midiQueue.Resize(GetBlockSize());
  SetTailSize(EngineTailSamples(GetSampleRate()));
}

void Quillwave::OnEditorOpen()
{
  // Read without the mutex where the caller does not hold it: processing
  // waits only for the exchange.
  PresetLibrarySnapshot fresh = PresetLibrarySnapshot::Read();
  IMutexLock lock(Mutex());
  presetLibrary = std::move(fresh);
}

void Quillwave::OnParameterChanged(int index)
{
  IMutexLock lock(Mutex());
  const IParameter* const param = GetParam(index);
  if (param == nullptr)
  {
    return;
  }
  EngineSetParameter(engine.get(), static_cast<uint32_t>(index), param->Value());
  switch (index)
  {
    case kPresetBackward:
      OnStepParameter(index, -1.0);
      break;
    case kPresetForward:
      OnStepParameter(index, 1.0);
      break;
    case kPresetSelector:
      SelectPreset(IsUserAction(kPresetSelector));
      break;
    // Only a file selector reporting its own dialog loads or saves: automation
    // and restored state must never rewrite or re-read a preset file.
    case kPresetLoad:
      if (IsUserAction(kPresetLoad))
      {
        LoadPresetFile(editorView->LoadSelectorFile());
      }
      break;
    case kPresetSave:
      if (IsUserAction(kPresetSave))
      {
        SavePresetFile(editorView->SaveSelectorFile());
      }
      break;
    default:
      break;
  }
}

void Quillwave::ProcessDouble(double** inputs, double** outputs, int frames)
{
  // Every controller due within the block applies to all of it: the engine
  // takes its parameters as block constants.
  IMidiMessage message;
  while (frames > 0 && midiQueue.TakeDue(frames - 1, message))
  {
    ApplyController(message);
  }
  midiQueue.Flush(std::max(frames, 0));

  const double tempo = QueryTempo();
  if (!std::isnan(tempo))
  {
    const double limited = std::clamp(tempo, 0.0, kMaxTempo);
    StoreParameter(kHostTempoBpm, limited);
  }

  EnginePerform(engine.get(), inputs[0], inputs[1], outputs[0], outputs[1], frames);
}

void Quillwave::OnMidiMessage(const IMidiMessage* message)
{
  if (message == nullptr)
  {
    return;
  }
  // The channel parameter spans 1 to 1.00001, so this always selects channel 1.
  const double channel = std::trunc(GetParam(kMidiChannelInput)->Value() - 1.0);
  if (channel == static_cast<double>(message->status & 0x0F))
  {
    midiQueue.Add(*message);
  }
}

void Quillwave::ApplyController(const IMidiMessage& message)
{
  if ((message.status & 0xF0) != 0xB0)
  {
    return;
  }
  const int32_t index = ControllerParameter(message.data1);
  if (index < 0)
  {
    return;
  }
  ChangeParameter(index, message.data2 / 127.0, ParamForm::Normalized, ParamSource::Controller);
}

void Quillwave::OnStepParameter(int index, double direction)
{
  // A step acts on the press, not on every report of it: a VST3 host sends
  // the editor's press back through process, and an automated step button
  // steps once each time its value rises to 1.
  double& previous = index == kPresetBackward ? backwardValue : forwardValue;
  const double value = GetParam(index)->Value();
  const bool pressed = value >= 1.0 && !(previous >= 1.0);
  previous = value;
  if (pressed)
  {
    StepPreset(direction, IsUserAction(index));
  }
}

void Quillwave::StepPreset(double direction, bool userAction)
{
  StoreParameter(kPresetSelector, lastPresetNumber);
  StoreParameter(kPresetSelector, GetParam(kPresetSelector)->Value() + direction);
  SelectPreset(userAction);
}

void Quillwave::SelectPreset(bool userAction)
{
  const double selected = GetParam(kPresetSelector)->Value();
  const int32_t number = PresetCatalogueNumber(selected);
  if (userAction)
  {
    // The editor's own menu and step buttons read the file as it is now.
    const bool hasFile = !PresetCatalogueFile(number).empty();
    const std::string path = hasFile ? PresetLibraryPath(number) : std::string();
    if (editorView != nullptr)
    {
      editorView->SetLoadSelectorFile(hasFile ? path : libraryFolder);
    }
    if (hasFile)
    {
      LoadPresetFile(path);
    }
  }
  else
  {
    // Host automation, program changes and restored states may run on the
    // audio thread: the values come from memory and no file is opened.
    const PresetLibraryEntry* const entry = presetLibrary.Find(number);
    if (editorView != nullptr)
    {
      editorView->SetLoadSelectorFile(entry != nullptr ? entry->path : libraryFolder);
    }
    if (entry != nullptr)
    {
      ApplyPresetValues(entry->values, entry->displayName);
    }
  }
  lastPresetNumber = static_cast<float>(selected);
  StoreParameter(kPresetSelector, 0.0);
}

bool Quillwave::IsUserAction(int index) const
{
  return editorView != nullptr && editorView->DeliversUserAction(index);
}

void Quillwave::LoadPresetFile(const std::string& path)
{
  const std::optional<std::string> line = ReadPresetLastLine(path);
  presetLibrary.Remember(path, line);
  ApplyPresetValues(PresetValuesOfLine(line), PresetDisplayName(path));
}

void Quillwave::ApplyPresetValues(const std::optional<PresetReadValues>& values,
                                  const std::string& displayName)
{
  if (!values)
  {
    return;
  }
  for (size_t i = 0; i < values->size(); ++i)
  {
    const std::optional<double>& value = (*values)[i];
    if (!value)
    {
      continue;
    }
    ChangeParameter(kPresetElements[i].paramIndex, *value, ParamForm::Plain,
                    ParamSource::PresetFile);
  }
  ShowPresetName(displayName);
}

void Quillwave::SavePresetFile(const std::string& path)
{
  PresetValues values;
  for (size_t i = 0; i < values.size(); ++i)
  {
    values[i] = GetParam(kPresetElements[i].paramIndex)->Value();
  }
  // Nothing reports a failed write; the strip still names the file.
  const std::string text = FormatPresetText(values);
  if (WritePresetFile(path, text))
  {
    presetLibrary.Remember(path, text);
  }
  ShowPresetName(PresetDisplayName(path));
}

void Quillwave::ShowPresetName(const std::string& displayName)
{
  if (editorView != nullptr && !displayName.empty())
  {
    editorView->SetPresetName(displayName);
  }
}

void Quillwave::StoreParameter(int index, double value)
{
  ChangeParameter(index, value, ParamForm::Plain, ParamSource::State);
  EngineSetParameter(engine.get(), static_cast<uint32_t>(index), GetParam(index)->Value());
}

QuillwaveBinding* CreatePlugin(QuillwaveBinding::HostContext host, void* moduleInstance)
{
  return new Quillwave(host, moduleInstance);
}
