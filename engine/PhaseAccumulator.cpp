#include "engine/PhaseAccumulator.h"

#include <cmath>

double PhaseScaleFor(double sampleRate)
{
  if (!(sampleRate > 0.0))
  {
    return 0.0;
  }
  const double scale = 4294967296.0 / sampleRate;
  return std::isfinite(scale) ? scale : 0.0;
}
