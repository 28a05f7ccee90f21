#include "framework/IEffectBase.h"

#include "framework/ChannelIO.h"
#include "framework/IPluginEditor.h"
#include "framework/ITrace.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
void CopyName(char (&field)[128], const char* text)
{
  std::snprintf(field, sizeof field, "%s", text ? text : "");
}

size_t CountOrZero(int32_t count)
{
  return count > 0 ? static_cast<size_t>(count) : 0;
}

void SetBusName(std::vector<std::string>& names, int index, const char* name)
{
  if (index < 0)
    return;
  if (static_cast<size_t>(index) >= names.size())
    names.resize(static_cast<size_t>(index) + 1);
  names[static_cast<size_t>(index)] = name ? name : "";
}

const char* GetBusName(const std::vector<std::string>& names, int index)
{
  if (index < 0 || static_cast<size_t>(index) >= names.size())
    return "";
  return names[static_cast<size_t>(index)].c_str();
}
}  // namespace

IEffectBase::IEffectBase(const IEffectConfig& config)
    : channelConfigs(ParseChannelIO(config.channelIO)),
      uniqueId(config.uniqueId),
      makerId(config.makerId),
      version(config.version),
      pluginApi(config.pluginApi),
      doesStateChunks(config.doesStateChunks),
      isInstrument(config.isInstrument),
      doesMidi(config.doesMidi),
      controllerParameter(config.controllerParameter),
      params(CountOrZero(config.parameterCount)),
      presets(CountOrZero(config.presetCount))
{
  CopyName(effectName, config.effectName);
  CopyName(productName, config.productName);
  CopyName(makerName, config.makerName);

  int32_t maxInputs = 0;
  int32_t maxOutputs = 0;
  for (const IChannelConfig& pair : channelConfigs)
  {
    maxInputs = std::max(maxInputs, pair.inputs);
    maxOutputs = std::max(maxOutputs, pair.outputs);
  }
  // The data pointer arrays never change size after this, so the channels'
  // pointers into them stay valid for the object's life.
  inputData.assign(static_cast<size_t>(maxInputs), nullptr);
  outputData.assign(static_cast<size_t>(maxOutputs), nullptr);
  inputChannels.resize(inputData.size());
  outputChannels.resize(outputData.size());
  for (size_t i = 0; i < inputChannels.size(); ++i)
    inputChannels[i].data = &inputData[i];
  for (size_t i = 0; i < outputChannels.size(); ++i)
    outputChannels[i].data = &outputData[i];
}

IEffectBase::~IEffectBase()
{
  DestroyEditor();
}

void IEffectBase::OnReset()
{
  IMutexLock lock(mutex);
}

void IEffectBase::OnParameterChanged(int)
{
  IMutexLock lock(mutex);
}

void IEffectBase::ProcessDouble(double** inputs, double** outputs, int frames)
{
  PassThrough(inputs, outputs, frames);
}

void IEffectBase::ProcessFloat(float** inputs, float** outputs, int frames)
{
  const size_t count = static_cast<size_t>(std::max(frames, 0));
  const int copied = std::min(GetInputChannelCount(), GetOutputChannelCount());
  for (int i = 0; i < GetOutputChannelCount(); ++i)
  {
    if (i < copied)
    {
      if (inputs[i] != outputs[i])
        std::memmove(outputs[i], inputs[i], count * sizeof(float));
    }
    else
    {
      std::fill_n(outputs[i], count, 0.0f);
    }
  }
}

void IEffectBase::OnEditorOpen() {}

void IEffectBase::OnEditorClose() {}

void IEffectBase::OnIdle() {}

void IEffectBase::OnActivation(bool)
{
  IMutexLock lock(mutex);
}

void IEffectBase::OnMidiMessage(const IMidiMessage* message)
{
  SendMidiMessage(message);
}

void IEffectBase::OnSysExMessage(const ISysExMessage*) {}

bool IEffectBase::GetNoteText(int, char* text)
{
  if (text)
    text[0] = '\0';
  return false;
}

bool IEffectBase::WriteState(IStateChunk& chunk)
{
  return SerializeParams(chunk);
}

int32_t IEffectBase::ReadState(const IStateChunk& chunk, int32_t pos)
{
  return UnserializeParams(chunk, pos);
}

void IEffectBase::OnEditorResized() {}

bool IEffectBase::QueryEditorResizable()
{
  return false;
}

void IEffectBase::OnHostKnown() {}

void IEffectBase::ShowHostParamMenu(int, int, int) {}

void IEffectBase::SetParamFromEditor(int index, double normalized)
{
  ITrace(__func__, "%d %f", index, normalized);
  ChangeParameter(index, normalized, ParamForm::Normalized, ParamSource::Editor);
}

bool IEffectBase::HostRendersOffline()
{
  return false;
}

HostKind IEffectBase::QueryHostKind()
{
  return hostKind;
}

PluginApi IEffectBase::QueryPluginApi()
{
  return pluginApi;
}

void IEffectBase::OnHostOpen() {}

int32_t IEffectBase::ControllerParameter(int controller) const
{
  if (!controllerParameter || controller < 0 || controller > 127)
    return -1;
  const int32_t index = controllerParameter(static_cast<uint8_t>(controller));
  return index >= 0 && index < GetParamCount() ? index : -1;
}

void IEffectBase::ChangeLatency(int samples)
{
  ITrace(__func__, "%d", samples);
  IMutexLock lock(mutex);
  const int32_t newLatency = std::max(samples, 0);
  if (bypassDelayLine && !bypassDelayLine->SetLength(static_cast<uint32_t>(newLatency)))
    return;  // keep latency and line consistent when the line cannot grow
  latency = newLatency;
}

bool IEffectBase::SendSysExMessage(const ISysExMessage*)
{
  return false;
}

void IEffectBase::OnEditorIdle() {}

void IEffectBase::OnPresetsChanged() {}

IParameter* IEffectBase::GetParam(int index)
{
  if (index < 0 || index >= GetParamCount())
    return nullptr;
  return &params[static_cast<size_t>(index)];
}

const IParameter* IEffectBase::GetParam(int index) const
{
  if (index < 0 || index >= GetParamCount())
    return nullptr;
  return &params[static_cast<size_t>(index)];
}

void IEffectBase::ChangeParameter(int index, double value, ParamForm form, ParamSource source)
{
  IMutexLock lock(mutex);
  IParameter* const param = GetParam(index);
  if (!param)
    return;
  if (form == ParamForm::Normalized)
    param->SetNormalized(value);
  else
    param->SetPlainClamped(value);
  if (source == ParamSource::State)
    return;
  if (source == ParamSource::Editor)
  {
    HostEdit(index, value);
  }
  else if (IParameterView* const view = parameterView ? parameterView : editor)
  {
    const bool isNormalized = form == ParamForm::Normalized || source == ParamSource::PresetFile;
    view->ApplyParameterFromPlugin(index, value, isNormalized);
  }
  OnParameterChanged(index);
}

void IEffectBase::SetParameterView(IParameterView* view)
{
  IMutexLock lock(mutex);
  parameterView = view;
}

void IEffectBase::NotifyAllParams()
{
  IMutexLock lock(mutex);
  for (int i = 0; i < GetParamCount(); ++i)
    OnParameterChanged(i);
}

int IEffectBase::AddParamGroup(const char* group)
{
  if (!group || group[0] == '\0')
    return 0;
  for (size_t i = 0; i < groupNames.size(); ++i)
  {
    if (std::strcmp(groupNames[i], group) == 0)
      return static_cast<int>(i) + 1;
  }
  groupNames.push_back(group);
  return static_cast<int>(groupNames.size());
}

const char* IEffectBase::GetParamGroupName(int index) const
{
  if (index < 0 || index >= GetParamGroupCount())
    return "";
  return groupNames[static_cast<size_t>(index)];
}

void IEffectBase::SetHostKind(HostKind kind, int32_t newVersion)
{
  hostKind = kind;
  hostVersion = newVersion;
}

bool IEffectBase::LegalIO(int inputs, int outputs) const
{
  return ChannelIOAllows(channelConfigs, inputs, outputs);
}

const IChannelConfig* IEffectBase::GetChannelConfig(int index) const
{
  if (index < 0 || index >= GetChannelConfigCount())
    return nullptr;
  return &channelConfigs[static_cast<size_t>(index)];
}

IInputChannel* IEffectBase::GetInputChannel(int index)
{
  if (index < 0 || index >= GetInputChannelCount())
    return nullptr;
  return &inputChannels[static_cast<size_t>(index)];
}

IOutputChannel* IEffectBase::GetOutputChannel(int index)
{
  if (index < 0 || index >= GetOutputChannelCount())
    return nullptr;
  return &outputChannels[static_cast<size_t>(index)];
}

void IEffectBase::SetInputBusName(int index, const char* name)
{
  SetBusName(inputBusNames, index, name);
}

void IEffectBase::SetOutputBusName(int index, const char* name)
{
  SetBusName(outputBusNames, index, name);
}

const char* IEffectBase::GetInputBusName(int index) const
{
  return GetBusName(inputBusNames, index);
}

const char* IEffectBase::GetOutputBusName(int index) const
{
  return GetBusName(outputBusNames, index);
}

void IEffectBase::CreateBypassDelayLine()
{
  IMutexLock lock(mutex);
  auto line = std::make_unique<BypassDelayLine>(GetInputChannelCount(), GetOutputChannelCount());
  if (line->SetLength(static_cast<uint32_t>(latency)))
    bypassDelayLine = std::move(line);
}
