#pragma once

#include "engine/DataBuffer.h"

#include <cstdint>

// One cycle of a cosine, indexed by the top 14 bits of a 32-bit phase.
constexpr int32_t kCosineTableSize = 16384;

// Allocates and fills the table. On allocation failure prints "out of memory"
// and leaves the table empty; perform refuses to run without it.
void CosineTableBuild(DataBuffer& table);

// True when the table holds every entry a lookup may touch.
inline bool CosineTableIsUsable(const DataBuffer& table)
{
  return table.data != nullptr && table.frames == kCosineTableSize;
}

// Linearly interpolated table value at `phase`. The fraction divides the low
// 18 bits by 262143 rather than 262144, as the oscillator always has.
inline double CosineTableLookup(const double* table, uint32_t phase)
{
  const uint32_t index = phase >> 18;
  const uint32_t next = (index + 1) & (kCosineTableSize - 1);
  const double frac = static_cast<double>(phase & 0x3FFFFu) * 3.81471181759574e-06;
  return table[index] + (table[next] - table[index]) * frac;
}
