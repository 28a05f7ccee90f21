#pragma once

#include <cmath>
#include <cstdint>

// Non-finite guard for parameters that become block constants: magnitudes of
// 2^1023 and above (biased exponent 0x7FE or 0x7FF), infinities and NaN read
// as 0, so no later scaling can overflow into infinity or NaN.
inline double GuardNonFinite(double value)
{
  return std::fabs(value) < 0x1p1023 ? value : 0.0;
}

// Tiny-value flush for everything stored into a recursive memory: magnitudes
// below 2^-1021 (biased exponent 0 or 1, all subnormals) become 0, so
// feedback never decays into denormal arithmetic. NaN is kept.
inline double FlushTiny(double value)
{
  return std::fabs(value) < 0x1p-1021 ? 0.0 : value;
}

// base + c x FlushTiny(raw) for a positive c, given scaled = c x raw: the
// flush is decided beside the arithmetic rather than before it, which keeps
// it off the critical path of a recursion (c x +0 is +0).
inline double AddFlushed(double base, double raw, double scaled)
{
  return std::fabs(raw) < 0x1p-1021 ? base + 0.0 : base + scaled;
}

// c x FlushTiny(raw) for a positive c, given scaled = c x raw: +0 where raw
// is tiny, else scaled. Added to a value, it gives the same sum as
// AddFlushed in fewer operations where the flush is not on a recursion's
// critical path anyway.
inline double ScaledFlushed(double raw, double scaled)
{
  return std::fabs(raw) < 0x1p-1021 ? 0.0 : scaled;
}

// Clamp into [0, 1] with NaN kept as NaN.
inline double ClampUnit(double value)
{
  if (value < 0.0)
  {
    return 0.0;
  }
  if (value > 1.0)
  {
    return 1.0;
  }
  return value;
}

// The low 32 bits of truncate(value), computed without a float-to-integer
// conversion that could overflow: truncation and the remainder modulo 2^32
// are exact in double arithmetic for every finite value. Infinity and NaN
// have no integer part and give 0.
inline uint32_t LowBits32OfTruncation(double value)
{
  if (!std::isfinite(value))
  {
    return 0;
  }
  constexpr double kTwoTo32 = 4294967296.0;
  double remainder = std::fmod(std::trunc(value), kTwoTo32);
  if (remainder < 0.0)
  {
    remainder += kTwoTo32;
  }
  return static_cast<uint32_t>(remainder);
}

// truncate(value) limited to [0, limit]; NaN and negative values give 0,
// +infinity gives limit.
inline int32_t TruncateToRange(double value, int32_t limit)
{
  if (!(value > 0.0))
  {
    return 0;
  }
  if (value >= static_cast<double>(limit))
  {
    return limit;
  }
  return static_cast<int32_t>(value);
}
