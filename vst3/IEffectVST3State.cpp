// Host state of the VST3 binding: the plug-in's parameter block followed by
// the bypass flag as a little-endian int32. IComponent and IEditController
// share these two methods, so a host that saves through either interface
// stores the same bytes.
#include "vst3/IEffectVST3.h"

#include "framework/ITrace.h"

#include "pluginterfaces/base/ibstream.h"

#include <algorithm>
#include <cstring>

using namespace Steinberg;

namespace
{
// Reads up to `count` bytes, accepting streams that deliver in pieces; returns
// how many arrived.
int32 ReadFully(IBStream* stream, uint8_t* buffer, int32 count)
{
  int32 total = 0;
  while (total < count)
  {
    int32 got = 0;
    if (stream->read(buffer + total, count - total, &got) != kResultOk || got <= 0)
      break;
    total += std::min(got, count - total);
  }
  return total;
}
}  // namespace

tresult PLUGIN_API IEffectVST3::getState(IBStream* state)
{
  ITrace(__func__, "%p", static_cast<void*>(state));
  if (!state)
    return kInvalidArgument;
  IMutexLock lock(Mutex());
  IStateChunk chunk;
  if (!WriteState(chunk))
    return kResultFalse;
  const uint32_t flag = IsBypassed() ? 1u : 0u;
  uint8_t flagBytes[4] = {static_cast<uint8_t>(flag), static_cast<uint8_t>(flag >> 8),
                          static_cast<uint8_t>(flag >> 16), static_cast<uint8_t>(flag >> 24)};
  state->write(chunk.GetBytes(), chunk.Size(), nullptr);
  state->write(flagBytes, sizeof flagBytes, nullptr);
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::setState(IBStream* state)
{
  ITrace(__func__, "%p", static_cast<void*>(state));
  if (!state)
    return kInvalidArgument;
  IMutexLock lock(Mutex());
  // The current state gives both the size to read and the values that a short
  // stream leaves in place.
  IStateChunk chunk;
  if (!WriteState(chunk) || chunk.Size() == 0)
    return kResultFalse;
  IStateChunk incoming;
  if (!incoming.Resize(chunk.Size()))
    return kResultFalse;
  const int32 delivered = ReadFully(state, incoming.GetBytes(), incoming.Size());
  // Only whole values are taken over: a value cut off by the end of the
  // stream keeps its current bytes rather than mixing old and new ones.
  const int32 whole = delivered - delivered % static_cast<int32>(sizeof(double));
  std::memcpy(chunk.GetBytes(), incoming.GetBytes(), static_cast<size_t>(whole));
  ReadState(chunk, 0);

  uint8_t flagBytes[4] = {};
  if (ReadFully(state, flagBytes, sizeof flagBytes) != sizeof flagBytes)
    return kResultFalse;
  const uint32_t flag =
      static_cast<uint32_t>(flagBytes[0]) | static_cast<uint32_t>(flagBytes[1]) << 8 |
      static_cast<uint32_t>(flagBytes[2]) << 16 | static_cast<uint32_t>(flagBytes[3]) << 24;
  SetBypassed(flag != 0);
  bypassValue.store(flag != 0 ? 1.0 : 0.0, std::memory_order_relaxed);
  RefreshEditorFromParams();
  return kResultOk;
}
