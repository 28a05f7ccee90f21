#pragma once

#include "engine/DataBuffer.h"

#include <cstdint>

// Power-of-two ring buffer of doubles with a fractional, clamped read.
struct DelayLine
{
  double* memory = nullptr;
  int32_t size = 0;
  int32_t mask = 0;
  int32_t maxDelay = 0;
  int32_t readPos = 0;
  int32_t writePos = 0;
  DataBuffer* buffer = nullptr;
};

// Longest line a setup accepts; keeps every position sum inside int32.
constexpr int32_t kDelayLineMaxLength = 1 << 30;

// Prepares `line` for `length` samples. The first call sizes and allocates the
// memory; later calls only clear it, keeping size and maxDelay of the first
// call. A line whose memory could not be allocated in full is left without
// memory (reported as "delay memory size error") and stays unusable.
void DelayLineSetup(DelayLine& line, int32_t length, DataBufferAllocateFunction allocate = nullptr);

// Frees the memory and the buffer record.
void DelayLineRelease(DelayLine& line);

// The value `delay` samples back, linearly interpolated. The delay is clamped
// into [minimum, maxDelay], where the minimum is 1 once the read and write
// positions differ and 0 before. A NaN delay reads at the minimum, so no
// delay value can index outside the memory.
inline double DelayLineRead(const DelayLine& line, double delay)
{
  const double minimum = line.readPos != line.writePos ? 1.0 : 0.0;
  double clamped = delay >= minimum ? delay : minimum;
  if (clamped > line.maxDelay)
  {
    clamped = line.maxDelay;
  }
  // clamped lies in [0, maxDelay] and maxDelay <= size, so the position is
  // non-negative and below 2^31: the truncation is exact and defined.
  const double position = static_cast<double>(line.size + line.readPos) - clamped;
  const int32_t index = static_cast<int32_t>(position);
  const double frac = position - index;
  const double current = line.memory[index & line.mask];
  const double next = line.memory[(index + 1) & line.mask];
  return current + (next - current) * frac;
}

inline void DelayLineWrite(DelayLine& line, double value)
{
  line.writePos = line.readPos;
  line.memory[line.readPos] = value;
}

inline void DelayLineAdvance(DelayLine& line)
{
  ++line.readPos;
  if (line.readPos == line.size)
  {
    line.readPos = 0;
  }
}
