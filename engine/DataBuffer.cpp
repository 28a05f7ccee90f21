#include "engine/DataBuffer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

void* AllocateFromHeap(std::size_t bytes)
{
  return std::malloc(bytes);
}

// Frame count of the retry after an allocation of `frames` failed. The
// sequence ends after a failed 4-frame request instead of retrying forever.
int32_t FallbackFrames(int32_t frames)
{
  return frames > 512 ? 512 : 4;
}

}  // namespace

bool DataBufferResize(DataBuffer& buffer, int32_t frames, DataBufferAllocateFunction allocate)
{
  if (allocate == nullptr)
  {
    allocate = AllocateFromHeap;
  }
  // A buffer always holds at least one frame, so storage is never a
  // zero-byte allocation whose null result would look like a failure.
  int32_t request = std::max<int32_t>(frames, 1);
  bool lastAttempt = false;
  for (;;)
  {
    if (request > kDataBufferMaxFrames)
    {
      std::printf("warning: constraining [data] to < 256MB\n");
      request = kDataBufferMaxFrames;
    }
    const std::size_t bytes = static_cast<std::size_t>(request) * sizeof(double);
    const std::size_t oldBytes = static_cast<std::size_t>(std::max(buffer.frames, 0)) *
                                 static_cast<std::size_t>(std::max(buffer.channels, 0)) *
                                 sizeof(double);
    if (buffer.data != nullptr && oldBytes == bytes)
    {
      buffer.frames = request;
      buffer.channels = 1;
      std::memset(buffer.data, 0, bytes);
      return true;
    }
    auto* storage = static_cast<double*>(allocate(bytes));
    if (storage == nullptr)
    {
      std::fprintf(stderr, "allocating [data]: out of memory\n");
      if (lastAttempt)
      {
        return false;
      }
      lastAttempt = request <= 512;
      request = FallbackFrames(request);
      continue;
    }
    std::memset(storage, 0, bytes);
    if (buffer.data != nullptr)
    {
      const int32_t kept = std::min(buffer.frames, request);
      const int32_t stride = std::max(buffer.channels, 1);
      for (int32_t frame = 0; frame < kept; ++frame)
      {
        storage[frame] = buffer.data[static_cast<std::size_t>(frame) * stride];
      }
      std::free(buffer.data);
    }
    buffer.data = storage;
    buffer.frames = request;
    buffer.channels = 1;
    return true;
  }
}

void DataBufferRelease(DataBuffer& buffer)
{
  std::free(buffer.data);
  buffer.data = nullptr;
  buffer.frames = 0;
  buffer.channels = 0;
}
