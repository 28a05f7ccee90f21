#include "framework/IEffectBase.h"

#include "framework/FloatConversion.h"
#include "framework/ITrace.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
constexpr const char* kUserPresetName = "user preset";
constexpr double kStateMatchTolerance = 0.00001;
}  // namespace

bool IEffectBase::SerializeParams(IStateChunk& chunk)
{
  IMutexLock lock(mutex);
  const int32_t startSize = chunk.Size();
  for (const IParameter& param : params)
  {
    if (!chunk.AppendDouble(param.Value()))
    {
      chunk.Resize(startSize);  // shrinking never fails
      return false;
    }
  }
  return chunk.Size() > 0 || params.empty();
}

int32_t IEffectBase::UnserializeParams(const IStateChunk& chunk, int32_t pos)
{
  IMutexLock lock(mutex);
  for (int i = 0; i < GetParamCount() && pos >= 0; ++i)
  {
    double value = 0.0;
    pos = chunk.ReadDouble(pos, value);
    ChangeParameter(i, pos >= 0 ? value : 0.0, ParamForm::Plain, ParamSource::State);
  }
  NotifyAllParams();
  return pos;
}

bool IEffectBase::StateMatches(const uint8_t* data, int start)
{
  IMutexLock lock(mutex);
  bool matches = true;
  const uint8_t* stored =
      data + static_cast<ptrdiff_t>(start) * static_cast<ptrdiff_t>(sizeof(double));
  for (size_t i = 0; i < params.size(); ++i)
  {
    double storedValue = 0.0;
    std::memcpy(&storedValue, stored + i * sizeof(double), sizeof storedValue);
    const float difference = ToFloat(params[i].Value()) - ToFloat(storedValue);
    // No early exit: every parameter is compared.
    matches = matches && std::fabs(difference) < kStateMatchTolerance;
  }
  return matches;
}

void IEffectBase::CaptureInitPreset()
{
  IMutexLock lock(mutex);
  auto slot = std::find_if(presets.begin(), presets.end(),
                           [](const IPresetSlot& s) { return !s.initialised; });
  if (slot == presets.end())
    return;
  slot->initialised = true;
  slot->SetName("Init");
  slot->state.Clear();
  WriteState(slot->state);
}

bool IEffectBase::LoadPreset(int index)
{
  ITrace(__func__, "%d", index);
  IMutexLock lock(mutex);
  IPresetSlot* slot = GetPresetSlot(index);
  if (!slot)
    return false;

  bool success = false;
  if (!slot->initialised)
  {
    slot->initialised = true;
    const auto userPresets =
        std::count_if(presets.begin(), presets.end(), [](const IPresetSlot& s) {
          return std::strstr(s.name, kUserPresetName) != nullptr;
        });
    char name[IPresetSlot::kNameSize];
    std::snprintf(name, sizeof name, "%s %d", kUserPresetName, static_cast<int>(userPresets) + 1);
    slot->SetName(name);
    slot->state.Clear();
    success = WriteState(slot->state);
  }
  else
  {
    success = ReadState(slot->state, 0) > 0;
  }

  if (success)
  {
    currentPreset = index;
    OnPresetsChanged();
    RefreshEditorFromParams();
  }
  return success;
}

void IEffectBase::ModifyCurrentPreset(const char* name)
{
  IMutexLock lock(mutex);
  IPresetSlot* slot = GetPresetSlot(currentPreset);
  if (!slot)
    return;
  slot->state.Clear();
  WriteState(slot->state);
  if (name && name[0] != '\0')
    slot->SetName(name);
}

void IEffectBase::FillEmptyPresets(const char* name, int count)
{
  IMutexLock lock(mutex);
  const char* slotName = name && name[0] != '\0' ? name : "Empty";
  for (int n = 0; n < count; ++n)
  {
    auto slot = std::find_if(presets.begin(), presets.end(),
                             [](const IPresetSlot& s) { return !s.initialised; });
    if (slot == presets.end())
      return;
    slot->initialised = true;
    slot->SetName(slotName);
    slot->state.Clear();
    WriteState(slot->state);
  }
}

bool IEffectBase::SerializePresets(IStateChunk& chunk)
{
  IMutexLock lock(mutex);
  const int32_t startSize = chunk.Size();
  for (const IPresetSlot& slot : presets)
  {
    const int32_t length = static_cast<int32_t>(std::strlen(slot.name));
    bool written = chunk.AppendInt32(length) && chunk.AppendBytes(slot.name, length) &&
                   chunk.AppendByte(slot.initialised ? 1 : 0);
    if (written && slot.initialised)
      written = chunk.AppendBytes(slot.state.GetBytes(), slot.state.Size());
    if (!written)
    {
      chunk.Resize(startSize);  // shrinking never fails
      return false;
    }
  }
  return true;
}

// Reads one bank record into `slot`. `name` carries the previous record's name
// to a record whose stored name is empty. Returns the position after the
// record's initialised flag, or -1 when the record is incomplete; an
// incomplete record leaves the slot as it was.
int32_t IEffectBase::ReadPresetRecord(const IStateChunk& chunk, int32_t pos, IPresetSlot& slot,
                                      char* name)
{
  int32_t length = 0;
  const int32_t namePos = chunk.ReadInt32(pos, length);
  if (namePos < 0)
    return -1;
  // A negative length would point the flag back into the length field or
  // before the chunk; it is read as an empty name.
  length = std::max(length, 0);
  if (length > chunk.Size() - namePos)
    return -1;
  if (length > 0)
  {
    const int32_t copied = std::min(length, IPresetSlot::kNameSize - 1);
    std::memcpy(name, chunk.GetBytes() + namePos, static_cast<size_t>(copied));
    name[copied] = '\0';  // an embedded NUL cuts the name earlier
  }
  uint8_t flag = 0;
  const int32_t next = chunk.ReadByte(namePos + length, flag);
  if (next < 0)
    return -1;
  slot.SetName(name);
  slot.initialised = flag != 0;
  return next;
}

int32_t IEffectBase::UnserializePresets(const IStateChunk& chunk, int32_t pos)
{
  ITrace(__func__, "%d %d", chunk.Size(), pos);
  IMutexLock lock(mutex);
  char name[IPresetSlot::kNameSize] = {};
  for (IPresetSlot& slot : presets)
  {
    if (pos < 0)
      break;
    pos = ReadPresetRecord(chunk, pos, slot, name);
    if (pos < 0 || !slot.initialised)
      continue;
    pos = ReadState(chunk, pos);
    // The slot keeps the values as the parameters took them, limited to
    // range. A record cut short keeps the slot's previous state, unless it
    // never had one: an initialised slot always holds a whole state, or the
    // next bank written would carry the record without it.
    if (pos > 0 || slot.state.Size() == 0)
    {
      slot.state.Clear();
      WriteState(slot.state);
    }
  }
  LoadPreset(currentPreset);
  return pos;
}

IPresetSlot* IEffectBase::GetPresetSlot(int index)
{
  if (index < 0 || index >= GetPresetCount())
    return nullptr;
  return &presets[static_cast<size_t>(index)];
}

const IPresetSlot* IEffectBase::GetPresetSlot(int index) const
{
  if (index < 0 || index >= GetPresetCount())
    return nullptr;
  return &presets[static_cast<size_t>(index)];
}

const char* IEffectBase::GetPresetName(int index) const
{
  const IPresetSlot* slot = GetPresetSlot(index);
  return slot ? slot->name : "";
}
