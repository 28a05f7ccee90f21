#pragma once

#include <climits>
#include <cmath>

// (int)value without undefined behaviour: truncates toward zero, limits
// values beyond the int range to its ends and turns NaN into 0.
inline int TruncateToInt(double value)
{
  if (std::isnan(value))
    return 0;
  if (value >= static_cast<double>(INT_MAX))
    return INT_MAX;
  if (value <= static_cast<double>(INT_MIN))
    return INT_MIN;
  return static_cast<int>(value);
}
