// Processing set-up and the process call of the VST3 binding: bus
// arrangements, parameter changes and note events ahead of the audio, and the
// host's buses mapped onto the framework's channels.
#include "vst3/IEffectVST3.h"

#include "framework/ITrace.h"
#include "vst3/Vst3SpeakerArrangement.h"
#include "vst3/Vst3TextCache.h"

#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{
// A host-supplied velocity (nominally 0..1) as a MIDI data byte; NaN is 0.
uint8_t VelocityByte(float velocity)
{
  const float scaled = velocity * 127.0f;
  if (!(scaled > 0.0f))
    return 0;
  if (scaled >= 127.0f)
    return 127;
  return static_cast<uint8_t>(scaled);
}

int ChannelCount(SpeakerArrangement arrangement)
{
  return SpeakerArr::getChannelCount(arrangement);
}
}  // namespace

tresult PLUGIN_API IEffectVST3::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                   SpeakerArrangement* outputs, int32 numOuts)
{
  // A side without buses has no channels.
  const int inputChannels = numIns > 0 && inputs ? ChannelCount(inputs[0]) : 0;
  const int outputChannels = numOuts > 0 && outputs ? ChannelCount(outputs[0]) : 0;
  ITrace(__func__, "%d %d", inputChannels, outputChannels);
  if (!LegalIO(inputChannels, outputChannels))
    return kResultFalse;

  // A bus whose channel count changes is rebuilt in place under a generic name.
  const AudioBus* input = getAudioInput(0);
  if (input && ChannelCount(input->getArrangement()) != inputChannels)
  {
    audioInputs[0] = owned(new AudioBus(Vst3WidenCached("Input"), kMain, BusInfo::kDefaultActive,
                                        Vst3ArrangementForChannels(inputChannels)));
  }
  const AudioBus* output = getAudioOutput(0);
  if (output && ChannelCount(output->getArrangement()) != outputChannels)
  {
    audioOutputs[0] = owned(new AudioBus(Vst3WidenCached("Output"), kMain, BusInfo::kDefaultActive,
                                         Vst3ArrangementForChannels(outputChannels)));
  }
  return numIns == 1 ? kResultOk : kResultFalse;
}

tresult PLUGIN_API IEffectVST3::canProcessSampleSize(int32 symbolicSampleSize)
{
  return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultOk
                                                                            : kResultFalse;
}

uint32 PLUGIN_API IEffectVST3::getLatencySamples()
{
  return static_cast<uint32>(std::max(GetLatency(), 0));
}

uint32 PLUGIN_API IEffectVST3::getTailSamples()
{
  return static_cast<uint32>(std::max(GetTailSize(), 0));
}

tresult PLUGIN_API IEffectVST3::setupProcessing(ProcessSetup& setup)
{
  ITrace(__func__, "%d %d %f", setup.symbolicSampleSize, setup.maxSamplesPerBlock,
         setup.sampleRate);
  if (canProcessSampleSize(setup.symbolicSampleSize) != kResultOk)
    return kResultFalse;
  // The engine divides by the rate; a host that offers none gets a refusal, not a fault.
  if (!(setup.sampleRate > 0.0) || !std::isfinite(setup.sampleRate))
    return kResultFalse;

  IMutexLock lock(Mutex());
  SetSampleRate(setup.sampleRate);
  ResizeBlock(std::clamp<int32>(setup.maxSamplesPerBlock, 1, kMaxBlockSize));
  OnReset();
  processSetup = setup;
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::setProcessing(TBool)
{
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::process(ProcessData& data)
{
  IMutexLock lock(Mutex());
  if (data.processContext)
    std::memcpy(&lastContext, data.processContext, kContextBytes);
  ApplyParameterChanges(data.inputParameterChanges);
  if (DoesMidi())
    DeliverNoteEvents(data.inputEvents);
  ProcessAudio(data);
  return kResultOk;
}

void IEffectVST3::ApplyParameterChanges(IParameterChanges* changes)
{
  if (!changes)
    return;
  const int32 queues = changes->getParameterCount();
  for (int32 q = 0; q < queues; ++q)
  {
    IParamValueQueue* queue = changes->getParameterData(q);
    if (!queue)
      continue;
    // Values are block constants: only the last point of each queue counts.
    const int32 points = queue->getPointCount();
    int32 offset = 0;
    ParamValue value = 0.0;
    if (points <= 0 || queue->getPoint(points - 1, offset, value) != kResultOk)
      continue;
    ApplyParameterChange(queue->getParameterId(), value);
  }
}

void IEffectVST3::ApplyParameterChange(ParamID id, ParamValue value)
{
  if (id == kBypassParamId)
  {
    SetBypassed(value > 0.5);
    bypassValue.store(UnitInterval(value), std::memory_order_relaxed);
  }
  else if (id == kPresetParamId)
  {
    programValue.store(UnitInterval(value), std::memory_order_relaxed);
    const double scaled = value * GetPresetCount();
    // Truncation toward zero; NaN and values no slot index can reach are ignored.
    if (scaled > -1.0 && scaled < static_cast<double>(std::numeric_limits<int>::max()))
      LoadPreset(static_cast<int>(scaled));
  }
  else if (PluginParam(id))
  {
    ChangeParameter(static_cast<int>(id), value, ParamForm::Normalized, ParamSource::Host);
  }
}

void IEffectVST3::DeliverNoteEvents(IEventList* events)
{
  if (!events)
    return;
  const int32 count = events->getEventCount();
  for (int32 i = 0; i < count; ++i)
  {
    Event event = {};
    if (events->getEvent(i, event) != kResultOk)
      continue;
    IMidiMessage message;
    message.offset = event.sampleOffset;
    if (event.type == Event::kNoteOnEvent)
    {
      message.status = static_cast<uint8_t>(0x90 | (event.noteOn.channel & 0x0F));
      message.data1 = static_cast<uint8_t>(event.noteOn.pitch & 0x7F);
      message.data2 = VelocityByte(event.noteOn.velocity);
    }
    else if (event.type == Event::kNoteOffEvent)
    {
      message.status = static_cast<uint8_t>(0x80 | (event.noteOff.channel & 0x0F));
      message.data1 = static_cast<uint8_t>(event.noteOff.pitch & 0x7F);
      message.data2 = 0;
    }
    else
    {
      continue;
    }
    OnMidiMessage(&message);
  }
}

void IEffectVST3::ProcessAudio(ProcessData& data)
{
  const bool doublePrecision = data.symbolicSampleSize == kSample64;
  if (!doublePrecision && data.symbolicSampleSize != kSample32)
    return;
  ConnectInputs(data, doublePrecision);
  ConnectOutputs(data, doublePrecision);
  ProcessFrame(data.numSamples);
}

void IEffectVST3::ConnectInputs(const ProcessData& data, bool doublePrecision)
{
  if (data.numInputs <= 0 || !data.inputs)
    return;
  const AudioBusBuffers& bus = data.inputs[0];
  const int connected = std::clamp(static_cast<int>(bus.numChannels), 0, GetInputChannelCount());
  for (int channel = 0; channel < GetInputChannelCount(); ++channel)
    SetInputConnected(channel, channel < connected);
  if (doublePrecision)
    AttachInputBuffers(bus.channelBuffers64, 0, connected);
  else
    AttachInputBuffers(static_cast<const float* const*>(bus.channelBuffers32), 0, connected);
}

void IEffectVST3::ConnectOutputs(const ProcessData& data, bool doublePrecision)
{
  // Output channels follow the buses in order; a channel whose bus is
  // inactive, or which the host gave no buffer for, is processed into its
  // scratch buffer and the host's memory is left alone.
  int channel = 0;
  for (int32 busIndex = 0; busIndex < getBusCount(kAudio, kOutput); ++busIndex)
  {
    const AudioBus* bus = getAudioOutput(busIndex);
    const int first = channel;
    const int busChannels = ChannelCount(bus->getArrangement());
    const AudioBusBuffers* host =
        busIndex < data.numOutputs && data.outputs ? &data.outputs[busIndex] : nullptr;
    const bool hasBuffers = host && (doublePrecision ? host->channelBuffers64 != nullptr
                                                     : host->channelBuffers32 != nullptr);
    const int provided =
        bus->isActive() && hasBuffers ? std::clamp<int>(host->numChannels, 0, busChannels) : 0;
    for (int k = 0; k < busChannels && channel < GetOutputChannelCount(); ++k, ++channel)
      SetOutputConnected(channel, k < provided);
    if (provided > 0)
    {
      if (doublePrecision)
        AttachOutputBuffers(host->channelBuffers64, first, provided);
      else
        AttachOutputBuffers(host->channelBuffers32, first, provided);
    }
  }
  for (; channel < GetOutputChannelCount(); ++channel)
    SetOutputConnected(channel, false);
}
