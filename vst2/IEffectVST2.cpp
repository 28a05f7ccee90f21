#include "vst2/IEffectVST2.h"

#include "framework/ITrace.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace
{

// The block size a VST2 host gets until it announces its own.
constexpr int kInitialBlockSize = 1024;

// Hosts whose VST2 channel handling needs the extra inputs disconnected.
bool WantsStereoInputsOnly(HostKind kind)
{
  return kind == HostKind::Forte || kind == HostKind::Audition || kind == HostKind::Orion ||
         kind == HostKind::SawStudio;
}

VstInt32 ArrangementType(int channels)
{
  switch (channels)
  {
    case 0:
      return kSpeakerArrEmpty;
    case 1:
      return kSpeakerArrMono;
    case 2:
      return kSpeakerArrStereo;
    default:
      return kSpeakerArrUserDefined;
  }
}

// Major in bits 16..31, minor in 8..15, revision in 0..7, as the decimal
// (major x 100 + minor) x 100 + revision that VST2 hosts expect.
VstInt32 DecimalVersion(int32_t version)
{
  const int32_t major = (version >> 16) & 0xFFFF;
  const int32_t minor = (version >> 8) & 0xFF;
  const int32_t revision = version & 0xFF;
  return (major * 100 + minor) * 100 + revision;
}

// The host reports M x 10000 + m x 100 + p; the framework keeps M << 16 | m << 8 | p.
// Values outside what that packing can hold are limited rather than wrapped.
int32_t PackedHostVersion(VstIntPtr decimal)
{
  if (decimal <= 0)
    return 0;
  const VstIntPtr major = std::min<VstIntPtr>(decimal / 10000, 0x7FFF);
  const VstIntPtr minor = (decimal / 100) % 100;
  const VstIntPtr patch = decimal % 100;
  return static_cast<int32_t>((major << 16) | (minor << 8) | patch);
}

// samplePos rounded half up; negative, NaN or values beyond int32 do not wrap.
int32_t RoundedSamplePosition(double samplePos)
{
  if (!(samplePos >= 0.0))
    return 0;
  const double rounded = samplePos + 0.5;
  if (rounded >= static_cast<double>(std::numeric_limits<int32_t>::max()))
  {
    return std::numeric_limits<int32_t>::max();
  }
  return static_cast<int32_t>(rounded);
}

IEffectConfig WithVst2Api(IEffectConfig config)
{
  config.pluginApi = PluginApi::VST2;
  return config;
}

}  // namespace

IEffectVST2::IEffectVST2(const IEffectConfig& config, HostContext host)
    : IEffectBase(WithVst2Api(config)), hostCallback(host.callback)
{
  ITrace(__func__, "%p", reinterpret_cast<void*>(host.callback));

  effect.magic = kEffectMagic;
  effect.dispatcher = &IEffectVST2::VSTDispatcher;
  effect.process = &IEffectVST2::VSTProcess;
  effect.setParameter = &IEffectVST2::VSTSetParameter;
  effect.getParameter = &IEffectVST2::VSTGetParameter;
  effect.numPrograms = std::max(GetPresetCount(), 1);
  effect.numParams = GetParamCount();
  effect.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
  for (int i = 0; i < GetChannelConfigCount(); ++i)
  {
    if (GetChannelConfig(i)->inputs == 1)
      effect.flags |= effFlagsCanMono;
  }
  effect.initialDelay = GetLatency();
  effect.ioRatio = 1.0f;
  effect.object = this;
  effect.uniqueID = GetUniqueId();
  effect.version = DecimalVersion(GetVersion());
  effect.processReplacing = &IEffectVST2::VSTProcessReplacing;
  effect.processDoubleReplacing = &IEffectVST2::VSTProcessDoubleReplacing;
  RefreshChannelCounts();

  for (int i = 0; i < effect.numInputs; ++i)
    SetInputConnected(i, true);
  for (int i = 0; i < effect.numOutputs; ++i)
    SetOutputConnected(i, true);
  ResizeBlock(kInitialBlockSize);
}

IEffectVST2::~IEffectVST2() = default;

IEffectVST2* IEffectVST2::FromEffect(AEffect* effect)
{
  return effect ? static_cast<IEffectVST2*>(effect->object) : nullptr;
}

VstIntPtr IEffectVST2::CallHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt)
{
  return hostCallback ? hostCallback(&effect, opcode, index, value, ptr, opt) : 0;
}

const VstTimeInfo* IEffectVST2::HostTime(VstInt32 filter)
{
  return reinterpret_cast<const VstTimeInfo*>(CallHost(audioMasterGetTime, 0, filter));
}

void IEffectVST2::RefreshChannelCounts()
{
  effect.numInputs = inputArrangement.numChannels = GetInputChannelCount();
  effect.numOutputs = outputArrangement.numChannels = GetOutputChannelCount();
  inputArrangement.type = ArrangementType(inputArrangement.numChannels);
  outputArrangement.type = ArrangementType(outputArrangement.numChannels);
}

void IEffectVST2::ConnectChannels(const VstSpeakerArrangement* inputs,
                                  const VstSpeakerArrangement* outputs)
{
  if (inputs)
  {
    const int connected = std::clamp<int>(inputs->numChannels, 0, GetInputChannelCount());
    for (int i = 0; i < GetInputChannelCount(); ++i)
      SetInputConnected(i, i < connected);
  }
  if (outputs)
  {
    const int connected = std::clamp<int>(outputs->numChannels, 0, GetOutputChannelCount());
    for (int i = 0; i < GetOutputChannelCount(); ++i)
      SetOutputConnected(i, i < connected);
  }
}

// ---- Host edits and programs ----

void IEffectVST2::BeginHostEdit(int index)
{
  CallHost(audioMasterBeginEdit, index);
}

void IEffectVST2::HostEdit(int index, double normalized)
{
  CallHost(audioMasterAutomate, index, 0, nullptr, static_cast<float>(normalized));
}

void IEffectVST2::EndHostEdit(int index)
{
  CallHost(audioMasterEndEdit, index);
}

void IEffectVST2::HostProgramChanged()
{
  CallHost(audioMasterUpdateDisplay);
}

bool IEffectVST2::HostRendersOffline()
{
  return CallHost(audioMasterGetCurrentProcessLevel) == kVstProcessLevelOffline;
}

// ---- Transport ----

int32_t IEffectVST2::QuerySamplePosition()
{
  const VstTimeInfo* time = HostTime(0);
  return time ? RoundedSamplePosition(time->samplePos) : 0;
}

double IEffectVST2::QueryTempo()
{
  const VstTimeInfo* time = HostTime(kVstTempoValid);
  if (time && (time->flags & kVstTempoValid) && time->tempo >= 0.0)
    return time->tempo;
  return 0.0;
}

void IEffectVST2::QueryTimeSignature(int* numerator, int* denominator)
{
  const VstTimeInfo* time = HostTime(kVstTimeSigValid);
  const bool valid = time && (time->flags & kVstTimeSigValid) && time->timeSigNumerator >= 0 &&
                     time->timeSigDenominator >= 0;
  if (numerator)
    *numerator = valid ? time->timeSigNumerator : 0;
  if (denominator)
    *denominator = valid ? time->timeSigDenominator : 0;
}

void IEffectVST2::QueryTransport(ITransportInfo* info)
{
  constexpr VstInt32 kFilter =
      kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstCyclePosValid | kVstTimeSigValid;
  const VstTimeInfo* time = HostTime(kFilter);
  if (!info || !time || !(time->flags & kFilter))
    return;

  info->samplePosition = time->samplePos;
  if ((time->flags & kVstPpqPosValid) && time->ppqPos >= 0.0)
    info->ppqPosition = time->ppqPos;
  if ((time->flags & kVstTempoValid) && time->tempo > 0.0)
    info->tempo = time->tempo;
  if ((time->flags & kVstBarsValid) && time->barStartPos >= 0.0)
  {
    info->lastBarStart = time->barStartPos;
  }
  if ((time->flags & kVstCyclePosValid) && time->cycleStartPos >= 0.0 && time->cycleEndPos >= 0.0)
  {
    info->cycleStart = time->cycleStartPos;
    info->cycleEnd = time->cycleEndPos;
  }
  if ((time->flags & kVstTimeSigValid) && time->timeSigNumerator > 0 &&
      time->timeSigDenominator > 0)
  {
    info->numerator = time->timeSigNumerator;
    info->denominator = time->timeSigDenominator;
  }
  info->playing = (time->flags & kVstTransportPlaying) != 0;
  info->cycleActive = (time->flags & kVstTransportCycleActive) != 0;
}

// ---- Host identification ----

HostKind IEffectVST2::QueryHostKind()
{
  if (GetHostKind() == HostKind::NotIdentified)
  {
    // The interface limits the product string to kVstMaxProductStrLen; the larger buffer
    // and the forced terminator keep an over-long answer inside it.
    char product[256] = {};
    CallHost(audioMasterGetProductString, 0, 0, product);
    product[sizeof(product) - 1] = '\0';
    int32_t version = 0;
    if (product[0] != '\0')
      version = PackedHostVersion(CallHost(audioMasterGetVendorVersion));
    SetHostKind(LookupHostKind(product), version);

    char versionText[32];
    std::snprintf(versionText, sizeof(versionText), "v%d.%d.%d", version >> 16,
                  (version >> 8) & 0xFF, version & 0xFF);
    ITrace(__func__, "%s %s", product, versionText);
  }
  return GetHostKind();
}

void IEffectVST2::OnHostOpen()
{
  if (!hostKnown)
  {
    hostKnown = true;
    if (WantsStereoInputsOnly(QueryHostKind()))
    {
      for (int i = 2; i < GetInputChannelCount(); ++i)
        SetInputConnected(i, false);
      if (GetOutputChannelCount() >= 3)
      {
        for (int i = 2; i < GetOutputChannelCount(); ++i)
          SetOutputConnected(i, true);
      }
    }
    RefreshChannelCounts();
    OnHostKnown();
  }
  NotifyAllParams();
}

// ---- Latency and MIDI out ----

void IEffectVST2::ChangeLatency(int samples)
{
  IEffectBase::ChangeLatency(samples);
  effect.initialDelay = GetLatency();
}

bool IEffectVST2::SendMidiMessage(const IMidiMessage* message)
{
  if (!message)
    return false;
  VstMidiEvent event{};
  event.type = kVstMidiType;
  event.byteSize = sizeof(VstMidiEvent);
  event.deltaFrames = message->offset;
  event.midiData[0] = static_cast<char>(message->status);
  event.midiData[1] = static_cast<char>(message->data1);
  event.midiData[2] = static_cast<char>(message->data2);
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&event);
  return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}

bool IEffectVST2::SendSysExMessage(const ISysExMessage* message)
{
  if (!message)
    return false;
  VstMidiSysexEvent event{};
  event.type = kVstSysExType;
  event.byteSize = sizeof(VstMidiSysexEvent);
  event.deltaFrames = message->offset;
  event.dumpBytes = message->size;
  // The host only reads the dump; the interface declares it without const.
  event.sysexDump = const_cast<char*>(reinterpret_cast<const char*>(message->data));
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&event);
  return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}
