#pragma once

#include <cfloat>

// Single precision of a double. Values beyond the float range, infinities
// included, become the largest float of their sign instead of an undefined
// conversion; NaN converts as it is.
inline float ToFloat(double value)
{
  if (value > FLT_MAX)
    return FLT_MAX;
  if (value < -FLT_MAX)
    return -FLT_MAX;
  return static_cast<float>(value);
}
