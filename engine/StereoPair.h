#pragma once

#include <cstring>

// Path 1 and path 2 of one frame side by side (lane 0 and lane 1). The two
// paths run the same operations on their own values, so the shared part of
// the signal path runs on pairs: each lane is rounded exactly like the
// scalar operation, at half the instruction count.
typedef double StereoPair __attribute__((vector_size(16)));

inline StereoPair Broadcast(double value)
{
  return StereoPair{value, value};
}

inline StereoPair LoadPair(const double* values)
{
  StereoPair pair;
  std::memcpy(&pair, values, sizeof pair);
  return pair;
}

inline void StorePair(double* values, StereoPair pair)
{
  std::memcpy(values, &pair, sizeof pair);
}

// Lane masks of a comparison, and the bit pattern of a pair.
typedef long long StereoMask __attribute__((vector_size(16)));

// Lane-wise FlushTiny (SignalGuards.h): magnitudes below 2^-1021 become 0,
// NaN is kept. The magnitude is the value with its sign bit cleared.
inline StereoPair FlushTiny(StereoPair value)
{
  const StereoMask signless = StereoMask{0x7FFFFFFFFFFFFFFFLL, 0x7FFFFFFFFFFFFFFFLL};
  const StereoPair magnitude =
      reinterpret_cast<StereoPair>(reinterpret_cast<StereoMask>(value) & signless);
  const StereoMask tiny = magnitude < Broadcast(0x1p-1021);
  return reinterpret_cast<StereoPair>(reinterpret_cast<StereoMask>(value) & ~tiny);
}

// Lane-wise AddFlushed (SignalGuards.h): base + c x FlushTiny(raw) from
// scaled = c x raw, the flush decided beside the arithmetic.
inline StereoPair AddFlushed(StereoPair base, StereoPair raw, StereoPair scaled)
{
  const StereoMask signless = StereoMask{0x7FFFFFFFFFFFFFFFLL, 0x7FFFFFFFFFFFFFFFLL};
  const StereoPair magnitude =
      reinterpret_cast<StereoPair>(reinterpret_cast<StereoMask>(raw) & signless);
  const StereoMask tiny = magnitude < Broadcast(0x1p-1021);
  return tiny ? base + 0.0 : base + scaled;
}

// Lane-wise ScaledFlushed (SignalGuards.h).
inline StereoPair ScaledFlushed(StereoPair raw, StereoPair scaled)
{
  const StereoMask signless = StereoMask{0x7FFFFFFFFFFFFFFFLL, 0x7FFFFFFFFFFFFFFFLL};
  const StereoPair magnitude =
      reinterpret_cast<StereoPair>(reinterpret_cast<StereoMask>(raw) & signless);
  const StereoMask tiny = magnitude < Broadcast(0x1p-1021);
  return reinterpret_cast<StereoPair>(reinterpret_cast<StereoMask>(scaled) & ~tiny);
}
