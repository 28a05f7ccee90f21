#include "product/Quillwave.h"

#include "framework/FourCharCode.h"
#include "product/ControllerMap.h"
#include "product/PresetCatalogue.h"
#include "product/PresetFile.h"
#include "product/PresetLibrary.h"
#include "product/QuillwaveEditor.h"

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
  config.productName = "";
  config.makerName = "PleoAudio";
  config.uniqueId = FourCharCode("Pqw6");
  config.makerId = FourCharCode("Plvx");
  config.version = 0x00010002;
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

double LimitToUnit(double value)
{
  return std::clamp(value, 0.0, 1.0);
}

}  // namespace

Quillwave::Quillwave(QuillwaveBinding::HostContext host, void* moduleInstance)
    : QuillwaveBinding(QuillwaveConfig(), host)
    , midiQueue(kMidiQueueCapacity)
    , engine(CreateEngine(GetSampleRate()))
    , libraryFolder(PresetLibraryFolder())
{
  for (int i = 0; i < kParamCount; ++i)
  {
    const EngineParamInfo& info = engine->params[i];
    GetParam(i)->InitDouble(info.name, info.defaultValue, info.min, info.max, kParameterStep, info.units, "",
                            1.0);
  }
  BuildEditor(moduleInstance);
  CaptureInitPreset();
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
      if (param->Value() >= 1.0)
      {
        StepPreset(-1.0);
      }
      break;
    case kPresetForward:
      if (param->Value() >= 1.0)
      {
        StepPreset(1.0);
      }
      break;
    case kPresetSelector: SelectPreset(); break;
    // Only a file selector reporting its own dialog loads or saves: automation
    // and restored state must never rewrite or re-read a preset file.
    case kPresetLoad:
      if (editorView != nullptr && editorView->SelectorDeliversDialogResult(kPresetLoad))
      {
        LoadPresetFile(editorView->LoadSelectorFile());
      }
      break;
    case kPresetSave:
      if (editorView != nullptr && editorView->SelectorDeliversDialogResult(kPresetSave))
      {
        SavePresetFile(editorView->SaveSelectorFile());
      }
      break;
    default: break;
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
    GetParam(kHostTempoBpm)->SetPlainClamped(limited);
    engine->paramValues[kHostTempoBpm] = limited;
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
  const double value = message.data2 / 127.0;
  GetParam(index)->SetNormalized(value);
  engine->paramValues[index] = LimitToUnit(value);
  if (editorView != nullptr)
  {
    editorView->ApplyParameterFromPlugin(index, value, true);
  }
  OnParameterChanged(index);
}

void Quillwave::StepPreset(double direction)
{
  StoreParameter(kPresetSelector, lastPresetNumber);
  StoreParameter(kPresetSelector, GetParam(kPresetSelector)->Value() + direction);
  SelectPreset();
}

void Quillwave::SelectPreset()
{
  const double selected = GetParam(kPresetSelector)->Value();
  const int32_t number = PresetCatalogueNumber(selected);
  // A number without a file names the library folder alone and loads
  // nothing, so the disk is left alone. Host program changes and restored
  // states run this on the audio thread with the selector at 0, so that
  // folder is the one kept from construction rather than built (allocated)
  // again.
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
  lastPresetNumber = static_cast<float>(selected);
  StoreParameter(kPresetSelector, 0.0);
}

void Quillwave::LoadPresetFile(const std::string& path)
{
  const std::optional<std::string> line = ReadPresetLastLine(path);
  if (!line || line->empty())
  {
    return;
  }
  const PresetReadValues values = ParsePresetLine(*line);
  for (size_t i = 0; i < values.size(); ++i)
  {
    if (!values[i])
    {
      continue;
    }
    const int index = kPresetElements[i].paramIndex;
    GetParam(index)->SetPlainClamped(*values[i]);
    EngineSetParameter(engine.get(), static_cast<uint32_t>(index), LimitToUnit(*values[i]));
    if (editorView != nullptr)
    {
      editorView->ApplyParameterFromPlugin(index, *values[i], true);
    }
  }
  ShowPresetName(path);
}

void Quillwave::SavePresetFile(const std::string& path)
{
  PresetValues values;
  for (size_t i = 0; i < values.size(); ++i)
  {
    values[i] = GetParam(kPresetElements[i].paramIndex)->Value();
  }
  // Nothing reports a failed write; the strip still names the file.
  WritePresetFile(path, FormatPresetText(values));
  ShowPresetName(path);
}

void Quillwave::ShowPresetName(const std::string& path)
{
  const std::string name = PresetDisplayName(path);
  if (editorView != nullptr && !name.empty())
  {
    editorView->SetPresetName(name);
  }
}

void Quillwave::StoreParameter(int index, double value)
{
  IParameter* const param = GetParam(index);
  param->SetPlainClamped(value);
  EngineSetParameter(engine.get(), static_cast<uint32_t>(index), param->Value());
}
