#include "vst2/IEffectVST2.h"

#include "framework/ITrace.h"
#include "vst2/VstHostString.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

// Host buffer bounds, NUL included, one per kind of text. Each is the size the 2.4
// interface documents for that buffer, except where noted.
//
// Parameter names and display texts: the interface documents kVstMaxParamStrLen (8), which
// is too small for this plug-in's names ("HostTransportIsRunning" is 22 characters) and
// values ("10000.00000"). Hosts in use give 64 bytes or more for both; 32 bytes holds the
// longest name and display text an IParameter can have (31 characters) without writing
// further into the host's memory than needed.
constexpr std::size_t kParamNameBound = IParameter::kTextSize;
constexpr std::size_t kParamDisplayBound = IParameter::kTextSize;
// Parameter labels: the documented kVstMaxParamStrLen.
constexpr std::size_t kParamLabelBound = kVstMaxParamStrLen;
// Program names, read and written: the documented kVstMaxProgNameLen, so that a name a host
// sets comes back whole from effGetProgramName.
constexpr std::size_t kProgramNameBound = kVstMaxProgNameLen;
constexpr std::size_t kEffectNameBound = kVstMaxEffectNameLen;
constexpr std::size_t kVendorBound = kVstMaxVendorStrLen;
constexpr std::size_t kProductBound = kVstMaxProductStrLen;
// Texts the host passes in (effCanDo, effString2Parameter) are read up to this many bytes;
// every answer this plug-in compares them with is shorter.
constexpr std::size_t kHostTextBound = 64;

// 'NvEf', the answer to effIdentify.
constexpr VstIntPtr kIdentity = 0x4E764566;
// The vendor-specific answer that tells a host the parameter query was understood.
constexpr VstIntPtr kVendorAnswer = 0xBEEF;
constexpr VstInt32 kVendorParamDisplay = 7;
constexpr VstInt32 kVendorParamIsNotDouble = 8;

bool HostTextEquals(const char* text, const char* key)
{
  return std::strncmp(text, key, kHostTextBound) == 0;
}

// The number at the start of `text`, leading white space skipped; false when there is none
// or it is NaN, so that typing a word into a host's value field changes nothing.
bool ParseHostNumber(const char* text, double& value)
{
  char bounded[kHostTextBound];
  CopyHostString(bounded, text, sizeof(bounded));
  char* end = nullptr;
  const double parsed = std::strtod(bounded, &end);
  if (end == bounded || std::isnan(parsed))
    return false;
  value = parsed;
  return true;
}

}  // namespace

VstIntPtr VSTCALLBACK IEffectVST2::VSTDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                 VstIntPtr value, void* ptr, float opt)
{
  IEffectVST2* plug = FromEffect(effect);
  if (!plug)
    return 0;

  if (opcode == effClose)
  {
    ITrace(__func__, "effClose");
    // Waits for a call in progress on another thread, then lets go of the lock before the
    // object (and the lock with it) is destroyed; nothing touches `plug` or `effect` after.
    plug->Mutex().Lock();
    plug->Mutex().Unlock();
    delete plug;
    return 0;
  }

  IMutexLock lock(plug->Mutex());
  return plug->Dispatch(opcode, index, value, ptr, opt);
}

VstIntPtr IEffectVST2::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt)
{
  char* const text = static_cast<char*>(ptr);
  IParameter* const param = GetParam(index);

  switch (opcode)
  {
    case effOpen:
      OnHostOpen();
      return 0;

    case effSetProgram:
      if (!DoesStateChunks())
        ModifyCurrentPreset();
      // LoadPreset takes an int: an index the host cannot mean is not narrowed into one.
      if (value >= 0 && value < GetPresetCount())
        LoadPreset(static_cast<int>(value));
      return 0;

    case effGetProgram:
      return GetCurrentPreset();

    case effSetProgramName:
      if (text)
      {
        char name[kProgramNameBound];
        CopyHostString(name, text, sizeof(name));
        ModifyCurrentPreset(name);
        OnPresetsChanged();
      }
      return 0;

    case effGetProgramName:
      CopyHostString(text, GetPresetName(GetCurrentPreset()), kProgramNameBound);
      return 0;

    case effGetParamLabel:
      if (param)
        CopyHostString(text, param->GetLabelForHost(), kParamLabelBound);
      return 0;

    case effGetParamDisplay:
      if (param && text)
      {
        char display[IParameter::kTextSize];
        param->GetDisplayText(display);
        CopyHostString(text, display, kParamDisplayBound);
      }
      return 0;

    case effGetParamName:
      if (param)
        CopyHostString(text, param->GetNameForHost(), kParamNameBound);
      return 0;

    case effSetSampleRate:
      SetSampleRateFromHost(opt);
      return 0;

    case effSetBlockSize:
      SetBlockSize(value);
      return 0;

    case effMainsChanged:
      OnActivation(value != 0);
      if (value == 0)
        OnReset();
      return 0;

    case effEditGetRect:
      return GetEditorRect(ptr);

    case effEditOpen:
      return OpenEditor(ptr);

    case effEditClose:
      return CloseEditor();

    case effEditIdle:
      return IdleEditor();

    case effIdentify:
      return kIdentity;

    case effGetChunk:
      return GetChunk(index, ptr);

    case effSetChunk:
      return SetChunk(index, value, ptr);

    case effProcessEvents:
      return ProcessEvents(static_cast<const VstEvents*>(ptr));

    case effCanBeAutomated:
      return 1;

    case effString2Parameter:
      return StringToParameter(index, text);

    case effGetProgramNameIndexed:
      if (!text)
        return 0;
      CopyHostString(text, GetPresetName(index), kProgramNameBound);
      return text[0] != '\0' ? 1 : 0;

    case effGetInputProperties:
      return GetPinProperties(index, static_cast<VstPinProperties*>(ptr), true);

    case effGetOutputProperties:
      return GetPinProperties(index, static_cast<VstPinProperties*>(ptr), false);

    case effGetPlugCategory:
      return IsInstrument() ? kPlugCategSynth : kPlugCategEffect;

    case effSetSpeakerArrangement:
      ConnectChannels(reinterpret_cast<const VstSpeakerArrangement*>(value),
                      static_cast<const VstSpeakerArrangement*>(ptr));
      return 1;

    case effGetEffectName:
      if (!text)
        return 0;
      CopyHostString(text, GetEffectName(), kEffectNameBound);
      return 1;

    case effGetVendorString:
      if (!text)
        return 0;
      CopyHostString(text, GetMakerName(), kVendorBound);
      return 1;

    case effGetProductString:
      if (!text)
        return 0;
      CopyHostString(text, GetProductName(), kProductBound);
      return 1;

    case effGetVendorVersion:
      return effect.version;

    case effVendorSpecific:
      return VendorSpecific(index, value, ptr, opt);

    case effCanDo:
      return CanDo(text);

    case effGetTailSize:
      return GetTailSize();

    case effGetVstVersion:
      return kVstVersion;

    case effGetMidiKeyName:
      return GetMidiKeyName(static_cast<MidiKeyName*>(ptr));

    case effGetSpeakerArrangement:
      if (value)
        *reinterpret_cast<VstSpeakerArrangement**>(value) = &inputArrangement;
      if (ptr)
        *static_cast<VstSpeakerArrangement**>(ptr) = &outputArrangement;
      return 1;

    default:
      // Everything else, among it effGetVu, the editor draw, mouse, key and idle opcodes,
      // effProcessVarIo, effSetBypass, effIdle and effGetParameterProperties.
      return 0;
  }
}

void IEffectVST2::SetSampleRateFromHost(float rate)
{
  // A rate the engine cannot run at (0, negative, NaN, infinite) keeps the current one.
  if (!std::isfinite(rate) || rate <= 0.0f)
    return;
  SetSampleRate(rate);
  OnReset();
}

void IEffectVST2::SetBlockSize(VstIntPtr frames)
{
  // No frames to process cannot size a buffer; an absurd size is limited rather than
  // allocated. Longer host blocks are then processed in pieces of the block size.
  if (frames <= 0)
    return;
  ResizeBlock(static_cast<int>(std::min<VstIntPtr>(frames, kMaxBlockSize)));
  OnReset();
}

VstIntPtr IEffectVST2::GetChunk(VstInt32 index, void* ptr)
{
  if (!ptr)
    return 0;
  const bool program = index != 0;
  IStateChunk& chunk = program ? programChunk : bankChunk;
  chunk.Clear();
  bool written = chunk.AppendInt32(kChunkMagic) && chunk.AppendInt32(kChunkVersion);
  if (written)
  {
    if (program)
    {
      written = WriteState(chunk);
    }
    else
    {
      ModifyCurrentPreset();
      written = SerializePresets(chunk);
    }
  }
  if (!written || chunk.Size() == 0)
    return 0;
  *static_cast<void**>(ptr) = chunk.GetBytes();
  return chunk.Size();
}

VstIntPtr IEffectVST2::SetChunk(VstInt32 index, VstIntPtr size, const void* ptr)
{
  // Nothing to read, or a size no state of this plug-in can have: refused before anything
  // is allocated or changed.
  if (!ptr || size <= 0 || size > kMaxChunkSize)
    return 0;
  const bool program = index != 0;
  IStateChunk& chunk = program ? programChunk : bankChunk;
  if (!chunk.Resize(static_cast<int32_t>(size)))
    return 0;
  std::memcpy(chunk.GetBytes(), ptr, static_cast<std::size_t>(size));

  int32_t magic = 0;
  int32_t version = 0;
  int32_t start = 0;
  if (chunk.ReadInt32(0, magic) > 0 && magic == kChunkMagic)
  {
    // A header cut short carries no state at all.
    start = chunk.ReadInt32(4, version);
    if (start < 0)
      return 0;
  }

  int32_t result = 0;
  if (program || version < kChunkVersion)
  {
    result = ReadState(chunk, start);
    ModifyCurrentPreset();
  }
  else
  {
    result = UnserializePresets(chunk, start);
  }
  if (result < 0)
    return 0;
  RefreshEditorFromParams();
  return 1;
}

VstIntPtr IEffectVST2::ProcessEvents(const VstEvents* events)
{
  if (!events)
    return 0;
  for (VstInt32 i = 0; i < events->numEvents; ++i)
  {
    const VstEvent* event = events->events[i];
    if (!event)
      continue;
    if (event->type == kVstMidiType)
    {
      const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
      IMidiMessage message;
      message.offset = midi->deltaFrames;
      message.status = static_cast<uint8_t>(midi->midiData[0]);
      message.data1 = static_cast<uint8_t>(midi->midiData[1]);
      message.data2 = static_cast<uint8_t>(midi->midiData[2]);
      OnMidiMessage(&message);
    }
    else if (event->type == kVstSysExType)
    {
      const auto* sysex = reinterpret_cast<const VstMidiSysexEvent*>(event);
      ISysExMessage message;
      message.offset = sysex->deltaFrames;
      message.size = sysex->sysexDump ? sysex->dumpBytes : 0;
      message.data = reinterpret_cast<const uint8_t*>(sysex->sysexDump);
      OnSysExMessage(&message);
    }
  }
  return 1;
}

VstIntPtr IEffectVST2::StringToParameter(VstInt32 index, const char* text)
{
  IParameter* const param = GetParam(index);
  if (!param)
    return 0;
  if (!text)
    return 1;

  double value = 0.0;
  if (param->DisplayTextCount() > 0)
  {
    bool found = false;
    for (int i = 0; i < param->DisplayTextCount() && !found; ++i)
    {
      const IDisplayText* entry = param->DisplayTextAt(i);
      if (entry->text[0] != '\0' && std::strncmp(entry->text, text, sizeof(entry->text)) == 0)
      {
        value = entry->value;
        found = true;
      }
    }
    if (!found)
      return 0;
  }
  else
  {
    if (!ParseHostNumber(text, value))
      return 0;
    if (param->NegateDisplay())
      value = -value;
  }

  ChangeParameter(index, value, ParamForm::Plain, ParamSource::Host);
  return 1;
}

VstIntPtr IEffectVST2::GetPinProperties(VstInt32 index, VstPinProperties* properties, bool input)
{
  const int count = input ? GetInputChannelCount() : GetOutputChannelCount();
  if (!properties || index < 0 || index >= count)
    return 0;

  properties->flags = kVstPinIsActive;
  if (index % 2 == 0 && index < count - 1)
    properties->flags |= kVstPinIsStereo;
  // The label field is kVstMaxLabelLen bytes, part of the record itself.
  std::snprintf(properties->label, sizeof(properties->label), input ? "Input %d" : "Output %d",
                index + 1);
  return 1;
}

VstIntPtr IEffectVST2::VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
  // The parameter index travels in `value`; an index beyond int range is invalid.
  const IParameter* const param =
      (value >= 0 && value < GetParamCount()) ? GetParam(static_cast<int>(value)) : nullptr;

  if (index == kVendorParamDisplay && ptr)
  {
    if (param)
    {
      char display[IParameter::kTextSize];
      param->GetDisplayText(opt, true, true, display);
      CopyHostString(static_cast<char*>(ptr), display, kParamDisplayBound);
    }
    return kVendorAnswer;
  }
  if (index == kVendorParamIsNotDouble && param)
  {
    return param->Kind() != IParameterKind::Double ? kVendorAnswer : 0;
  }
  return 0;
}

VstIntPtr IEffectVST2::CanDo(const char* text) const
{
  ITrace("IEffectVST2::VSTDispatcher", "VSTCanDo(%s)", text ? text : "");
  if (!text)
    return 0;
  if (HostTextEquals(text, "receiveVstTimeInfo"))
    return 1;
  if (DoesMidi() &&
      (HostTextEquals(text, "sendVstEvents") || HostTextEquals(text, "sendVstMidiEvent") ||
       HostTextEquals(text, "receiveVstEvents") || HostTextEquals(text, "receiveVstMidiEvent")))
  {
    return 1;
  }
  return 0;
}

VstIntPtr IEffectVST2::GetMidiKeyName(MidiKeyName* key)
{
  if (!key)
    return 0;
  // A note name may fill the record's own kVstMaxNameLen bytes.
  key->keyName[0] = '\0';
  return GetNoteText(key->thisKeyNumber, key->keyName) ? 1 : 0;
}
