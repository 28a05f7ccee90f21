#include "engine/DelayLine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace
{

int32_t PowerOfTwoAtLeast(int32_t length)
{
  int32_t size = 2;
  while (size < length)
  {
    size <<= 1;
  }
  return size;
}

}  // namespace

void DelayLineSetup(DelayLine& line, int32_t length, DataBufferAllocateFunction allocate)
{
  if (line.buffer == nullptr)
  {
    const int32_t clampedLength = std::clamp<int32_t>(length, 0, kDelayLineMaxLength);
    line.buffer = new (std::nothrow) DataBuffer{};
    line.maxDelay = clampedLength;
    line.size = PowerOfTwoAtLeast(clampedLength);
    // A size beyond what a data buffer may hold could only come out
    // short, so it is refused before anything is allocated.
    if (line.buffer == nullptr || line.size > kDataBufferMaxFrames ||
        !DataBufferResize(*line.buffer, line.size, allocate) || line.buffer->frames != line.size)
    {
      std::fprintf(stderr, "delay memory size error\n");
      line.memory = nullptr;
      return;
    }
    line.memory = line.buffer->data;
    line.writePos = 0;
  }
  else
  {
    // A line left without memory by its first setup stays unusable; its
    // buffer may be smaller than size, so it is not touched.
    if (line.memory == nullptr)
    {
      return;
    }
    std::memset(line.memory, 0, static_cast<std::size_t>(line.size) * sizeof(double));
    line.writePos = 0;
  }
  line.readPos = line.writePos;
  line.mask = line.size - 1;
}

void DelayLineRelease(DelayLine& line)
{
  if (line.buffer != nullptr)
  {
    DataBufferRelease(*line.buffer);
    delete line.buffer;
  }
  line.buffer = nullptr;
  line.memory = nullptr;
}
