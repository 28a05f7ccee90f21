#include "engine/EngineTail.h"

#include "engine/EngineBlockConstants.h"
#include "engine/Saturator.h"
#include "engine/ToneFilter.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

// -90 dB as an amplitude.
constexpr double kTailFloor = 3.1622776601683795e-5;

// Steps for a memory that decays by `factor` per step to fall from `start`
// to the floor.
double DecaySteps(double factor, double start)
{
  if (!(factor > 0.0 && factor < 1.0) || !(start > kTailFloor))
  {
    return 0.0;
  }
  return std::ceil(std::log(kTailFloor / start) / std::log(factor));
}

}  // namespace

int32_t EngineTailSamples(double sampleRate)
{
  if (!(sampleRate >= 1.0) || !std::isfinite(sampleRate))
  {
    return 0;
  }
  // Largest gain from the delay loop to the output: both gain stages at
  // their maximum and the saturator fully driven, at its small-signal slope.
  const double saturatorGain =
      SaturatorDriveGain(1.0) * kSaturatorSlope * kSaturatorNormalise * SaturatorMakeUpGain(1.0);
  const double headroom = kMaxStageGain * kMaxStageGain * std::max(saturatorGain, 1.0);

  // Every pass round the loop takes at most the longest delay the lines can
  // read (a line holds one second) and is scaled by at most the feedback.
  const double longestDelay =
      std::min(kFlangerCentreSpan + kFlangerCentreMin + kFlangerDepthSpan + kFlangerDepthMin,
               std::trunc(sampleRate));
  const double loop = std::ceil(longestDelay) * DecaySteps(kMaxFeedback, headroom);

  // Then the slowest filter memories settle: the tone filter at its lowest
  // corner (the start of the high-pass half), and the DC blocker, whose
  // memory takes up only the leak of its pole.
  const double k = ToneConstantsFor(0.5, sampleRate).k;
  const double tone = DecaySteps((1.0 - k) / (1.0 + k), headroom);
  const double blocker = DecaySteps(kDcBlockerPole, (1.0 - kDcBlockerPole) * headroom);

  const double total = loop + tone + blocker;
  return static_cast<int32_t>(
      std::min(total, static_cast<double>(std::numeric_limits<int32_t>::max())));
}
