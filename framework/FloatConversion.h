#pragma once

#include <cfloat>

// Single precision of a double. Finite values beyond the float range become
// the largest float of their sign instead of an undefined conversion; NaN and
// infinity convert as they are.
inline float ToFloat(double value)
{
  if (value > FLT_MAX)
    return FLT_MAX;
  if (value < -FLT_MAX)
    return -FLT_MAX;
  return static_cast<float>(value);
}
