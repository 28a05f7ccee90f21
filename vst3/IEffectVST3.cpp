// Construction, initialisation, parameters, units and the framework's host
// operations of the VST3 binding. Processing is in IEffectVST3Process.cpp,
// state in IEffectVST3State.cpp, the editor views in IEffectVST3Editor.cpp.
#include "vst3/IEffectVST3.h"

#include "framework/ITrace.h"
#include "vst3/Vst3SpeakerArrangement.h"
#include "vst3/Vst3TextCache.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstmessage.h"

#include <algorithm>
#include <cstdio>

using namespace Steinberg;
using namespace Steinberg::Vst;

IEffectConfig IEffectVST3::ForVst3(const IEffectConfig& config)
{
  IEffectConfig vst3 = config;
  vst3.pluginApi = PluginApi::VST3;
  return vst3;
}

ParamValue IEffectVST3::UnitInterval(ParamValue value)
{
  return value > 0.0 ? std::min(value, 1.0) : 0.0;
}

IEffectVST3::IEffectVST3(const IEffectConfig& config, HostContext) : IEffectBase(ForVst3(config))
{
  for (int i = 0; i < GetInputChannelCount(); ++i)
    SetInputConnected(i, true);
  for (int i = 0; i < GetOutputChannelCount(); ++i)
    SetOutputConnected(i, true);
  if (GetInputChannelCount() > 0)
    CreateBypassDelayLine();

  SetInputBusName(0, "Main Input");
  if (IsInstrument())
  {
    char name[32];
    for (int pair = 0; pair < (GetOutputChannelCount() + 1) / 2; ++pair)
    {
      std::snprintf(name, sizeof name, "Output %i", pair + 1);
      SetOutputBusName(pair, name);
    }
  }
  else
  {
    SetOutputBusName(0, "Output");
  }
}

IEffectVST3::~IEffectVST3() = default;

// ---- IPluginBase ----

tresult PLUGIN_API IEffectVST3::initialize(FUnknown* context)
{
  ITrace(__func__, "%p", static_cast<void*>(context));
  const tresult result = SingleComponentEffect::initialize(context);
  IdentifyHost(context);
  if (result == kResultOk)
  {
    CreateBuses();
    CreateParameters();
  }
  OnHostKnown();
  LoadPreset(0);
  return result;
}

void IEffectVST3::IdentifyHost(FUnknown* context)
{
  FUnknownPtr<IHostApplication> host(context);
  if (!host)
    return;
  String128 wide = {};
  if (host->getName(wide) != kResultOk)
    return;
  // Host names are matched on their low bytes; the lookup reads at most 255 characters.
  char name[129] = {};
  for (int i = 0; i < 128 && wide[i] != 0; ++i)
    name[i] = static_cast<char>(wide[i] & 0xFF);
  SetHostKind(LookupHostKind(name), 0);
}

void IEffectVST3::CreateBuses()
{
  const int mainInputs = GetInputChannelCount();
  if (mainInputs >= 1 && mainInputs <= 6)
  {
    addAudioInput(Vst3WidenCached(GetInputBusName(0)), Vst3ArrangementForChannels(mainInputs));
  }

  if (IsInstrument())
  {
    for (int pair = 0; pair < (GetOutputChannelCount() + 1) / 2; ++pair)
      addAudioOutput(Vst3WidenCached(GetOutputBusName(pair)), SpeakerArr::kStereo);
  }
  else if (GetOutputChannelCount() > 0)
  {
    addAudioOutput(Vst3WidenCached(GetOutputBusName(0)),
                   Vst3ArrangementForChannels(GetOutputChannelCount()));
  }

  if (DoesMidi())
    addEventInput(Vst3WidenCached("MIDI Input"), 1);
}

void IEffectVST3::CreateParameters()
{
  if (GetPresetCount() > 0)
  {
    parameters.addParameter(new Parameter(Vst3WidenCached("Preset"), kPresetParamId, nullptr, 0.0,
                                          GetPresetCount(), ParameterInfo::kIsProgramChange,
                                          kRootUnitId));
  }
  if (!IsInstrument())
  {
    auto* bypass = new StringListParameter(Vst3WidenCached("Bypass"), kBypassParamId, nullptr,
                                           ParameterInfo::kCanAutomate | ParameterInfo::kIsList |
                                               ParameterInfo::kIsBypass,
                                           kRootUnitId);
    bypass->appendString(Vst3WidenCached("off"));
    bypass->appendString(Vst3WidenCached("on"));
    parameters.addParameter(bypass);
  }

  for (int i = 0; i < GetParamCount(); ++i)
  {
    const IParameter& param = *GetParam(i);
    const TChar* title = Vst3WidenCached(param.GetNameForHost());
    const TChar* units = Vst3WidenCached(param.GetLabelForHost());
    const UnitID unit = AddParamGroup(param.Group());
    const ParamID id = static_cast<ParamID>(i);
    const int32 automate = param.CanAutomate() ? ParameterInfo::kCanAutomate : 0;

    if (param.Kind() == IParameterKind::Bool || param.Kind() == IParameterKind::Enum)
    {
      auto* list =
          new StringListParameter(title, id, units, ParameterInfo::kIsList | automate, unit);
      for (int value = 0; value < param.DisplayTextCount(); ++value)
        list->appendString(Vst3WidenCached(param.FindDisplayText(value)));
      // The list's own default would be its first entry; hosts reset to the plug-in's default.
      const double defaultNormalized = param.GetNormalized(param.DefaultValue());
      list->getInfo().defaultNormalizedValue = defaultNormalized;
      list->setNormalized(defaultNormalized);
      parameters.addParameter(list);
    }
    else
    {
      auto* range = new RangeParameter(title, id, units, param.Min(), param.Max(),
                                       param.DefaultValue(), 0, automate, unit);
      range->setPrecision(param.DisplayPrecision());
      parameters.addParameter(range);
    }
  }
}

// ---- IComponent ----

tresult PLUGIN_API IEffectVST3::setActive(TBool state)
{
  ITrace(__func__, "%d", static_cast<int>(state));
  OnActivation(state != 0);
  return kResultOk;
}

// ---- IEditController ----

IParameter* IEffectVST3::PluginParam(ParamID id)
{
  return id < static_cast<ParamID>(GetParamCount()) ? GetParam(static_cast<int>(id)) : nullptr;
}

tresult PLUGIN_API IEffectVST3::getParamStringByValue(ParamID id, ParamValue normalized,
                                                      String128 string)
{
  const IParameter* param = PluginParam(id);
  if (!param || !string)
    return kResultFalse;
  // Formatted values are widened straight into the host string: the source is
  // a temporary buffer, so caching it by address would hand out stale texts.
  char text[IParameter::kTextSize];
  param->GetDisplayText(normalized, true, true, text);
  Vst3WidenInto(string, 128, text);
  return kResultOk;
}

ParamValue PLUGIN_API IEffectVST3::plainParamToNormalized(ParamID id, ParamValue plain)
{
  const IParameter* param = PluginParam(id);
  return param ? param->GetNormalized(plain) : plain;
}

ParamValue PLUGIN_API IEffectVST3::getParamNormalized(ParamID id)
{
  if (id == kBypassParamId)
    return bypassValue.load(std::memory_order_relaxed);
  if (id == kPresetParamId)
    return programValue.load(std::memory_order_relaxed);
  const IParameter* param = PluginParam(id);
  return param ? param->GetNormalized() : 0.0;
}

tresult PLUGIN_API IEffectVST3::setParamNormalized(ParamID id, ParamValue value)
{
  // Hosts set these when they load a project or follow their own bypass
  // switch and program display; refusing them would leave the host's view and
  // the plug-in's apart.
  if (id == kBypassParamId && !IsInstrument())
  {
    bypassValue.store(UnitInterval(value), std::memory_order_relaxed);
    return kResultOk;
  }
  if (id == kPresetParamId && GetPresetCount() > 0)
  {
    programValue.store(UnitInterval(value), std::memory_order_relaxed);
    return kResultOk;
  }
  IParameter* param = PluginParam(id);
  if (!param)
    return kResultFalse;
  param->SetNormalized(value);
  return kResultOk;
}

// ---- IMidiMapping ----

tresult PLUGIN_API IEffectVST3::getMidiControllerAssignment(int32 busIndex, int16 channel,
                                                            CtrlNumber midiControllerNumber,
                                                            ParamID& id)
{
  // The plug-in listens on MIDI channel 1 only, as its event path does.
  if (busIndex != 0 || channel != 0 || !DoesMidi())
    return kResultFalse;
  const int32_t index = ControllerParameter(midiControllerNumber);
  if (index < 0)
    return kResultFalse;
  id = static_cast<ParamID>(index);
  return kResultOk;
}

// ---- IUnitInfo ----

int32 PLUGIN_API IEffectVST3::getUnitCount()
{
  return GetParamGroupCount() + 1;
}

tresult PLUGIN_API IEffectVST3::getUnitInfo(int32 unitIndex, UnitInfo& info)
{
  if (unitIndex < 0 || unitIndex >= getUnitCount())
    return kResultFalse;
  info.id = unitIndex;
  info.parentUnitId = unitIndex == 0 ? kNoParentUnitId : kRootUnitId;
  info.programListId = kNoProgramListId;
  Vst3WidenInto(info.name, 128, unitIndex == 0 ? "Root Unit" : GetParamGroupName(unitIndex - 1));
  return kResultOk;
}

int32 PLUGIN_API IEffectVST3::getProgramListCount()
{
  return 0;
}

tresult PLUGIN_API IEffectVST3::getProgramListInfo(int32 listIndex, ProgramListInfo& info)
{
  if (listIndex != 0)
    return kResultFalse;
  info.id = kProgramListId;
  info.programCount = GetPresetCount();
  Vst3WidenInto(info.name, 128, "Factory Presets");
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::getProgramName(ProgramListID listId, int32 programIndex,
                                               String128 name)
{
  if (listId != kProgramListId || !name)
    return kResultFalse;
  // Slot names change (a first load names a slot), so they are not cached.
  Vst3WidenInto(name, 128, GetPresetName(programIndex));
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::getProgramInfo(ProgramListID, int32, Vst::CString, String128)
{
  return kNotImplemented;
}

tresult PLUGIN_API IEffectVST3::hasProgramPitchNames(ProgramListID, int32)
{
  return kNotImplemented;
}

tresult PLUGIN_API IEffectVST3::getProgramPitchName(ProgramListID, int32, int16, String128)
{
  return kNotImplemented;
}

UnitID PLUGIN_API IEffectVST3::getSelectedUnit()
{
  return kRootUnitId;
}

tresult PLUGIN_API IEffectVST3::selectUnit(UnitID)
{
  return kNotImplemented;
}

tresult PLUGIN_API IEffectVST3::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&)
{
  return kNotImplemented;
}

tresult PLUGIN_API IEffectVST3::setUnitProgramData(int32, int32, IBStream*)
{
  return kNotImplemented;
}

// ---- FUnknown ----

tresult PLUGIN_API IEffectVST3::queryInterface(const TUID iid, void** obj)
{
  QUERY_INTERFACE(iid, obj, IUnitInfo::iid, IUnitInfo)
  QUERY_INTERFACE(iid, obj, IMidiMapping::iid, IMidiMapping)
  // The connection point is the SDK's, but this object has no peer to talk to.
  if (FUnknownPrivate::iidEqual(iid, IConnectionPoint::iid))
  {
    *obj = nullptr;
    return kNoInterface;
  }
  return SingleComponentEffect::queryInterface(iid, obj);
}

// ---- Framework operations ----

void IEffectVST3::BeginHostEdit(int index)
{
  beginEdit(static_cast<ParamID>(index));
}

void IEffectVST3::HostEdit(int index, double normalized)
{
  performEdit(static_cast<ParamID>(index), normalized);
}

void IEffectVST3::EndHostEdit(int index)
{
  endEdit(static_cast<ParamID>(index));
}

void IEffectVST3::HostProgramChanged() {}

bool IEffectVST3::HostRendersOffline()
{
  return getProcessSetup().processMode == kOffline;
}

int32_t IEffectVST3::QuerySamplePosition()
{
  // Modulo 2^32, as a 32-bit host position would wrap.
  return static_cast<int32_t>(static_cast<uint32_t>(lastContext.projectTimeSamples));
}

double IEffectVST3::QueryTempo()
{
  return lastContext.tempo;
}

void IEffectVST3::QueryTimeSignature(int* numerator, int* denominator)
{
  if (numerator)
    *numerator = lastContext.timeSigNumerator;
  if (denominator)
    *denominator = lastContext.timeSigDenominator;
}

void IEffectVST3::QueryTransport(ITransportInfo* info)
{
  if (!info)
    return;
  info->tempo = lastContext.tempo;
  info->samplePosition = static_cast<double>(lastContext.projectTimeSamples);
  info->ppqPosition = lastContext.projectTimeMusic;
  info->lastBarStart = lastContext.barPositionMusic;
  info->cycleStart = lastContext.cycleStartMusic;
  info->cycleEnd = lastContext.cycleEndMusic;
  info->numerator = lastContext.timeSigNumerator;
  info->denominator = lastContext.timeSigDenominator;
  info->playing = (lastContext.state & ProcessContext::kPlaying) != 0;
  info->cycleActive = (lastContext.state & ProcessContext::kCycleActive) != 0;
}

void IEffectVST3::ChangeLatency(int samples)
{
  IEffectBase::ChangeLatency(samples);
  if (IComponentHandler* handler = getComponentHandler())
    handler->restartComponent(kLatencyChanged);
}

bool IEffectVST3::SendMidiMessage(const IMidiMessage*)
{
  return false;
}
