#pragma once

#include <algorithm>
#include <cmath>

// The integer weight of the raster operations, (int)(weight × 256), so 1.0
// is 256. NaN counts as 0, and the weight is limited to ±8 first, which
// keeps every channel formula inside 32-bit arithmetic.
inline int RasterIntegerWeight(float weight)
{
  if (std::isnan(weight))
    return 0;
  return static_cast<int>(std::clamp(weight, -8.0f, 8.0f) * 256.0f);
}
