#include "engine/EngineBlockConstants.h"

#include "engine/Saturator.h"
#include "engine/SignalGuards.h"

#include <cmath>

namespace
{

// Parameter value through the non-finite guard.
double Guarded(const EngineState& state, EngineParam index)
{
  return GuardNonFinite(state.paramValues[index]);
}

// Selector = truncate(switch + 1), evaluated in double so that no switch
// value can overflow a conversion: 1 bypasses, 2 processes. Values that only
// direct writes can produce are mapped to the nearest meaning: below 1
// (NaN, negative switch) is silence, above 2 processes.
OutputSelection OutputSelectionFor(double effectSwitch)
{
  const double selector = std::trunc(effectSwitch + 1.0);
  if (selector >= 2.0)
  {
    return OutputSelection::kProcessed;
  }
  if (selector >= 1.0)
  {
    return OutputSelection::kBypass;
  }
  return OutputSelection::kSilence;
}

}  // namespace

EngineBlockConstants EngineComputeBlockConstants(const EngineState& state)
{
  EngineBlockConstants constants;
  constants.routing = InputRoutingFor(state.paramValues[kMainInputMode]);
  constants.inputGain = kMaxStageGain * ClampUnit(Guarded(state, kMainInputGain));
  constants.outputGain = kMaxStageGain * ClampUnit(Guarded(state, kMainOutputVolume));
  constants.blend = ClampUnit(Guarded(state, kMainOutputBlend));

  // The switch is read as stored: a NaN switch runs the delay stage and
  // selects silence.
  const double effectSwitch = state.paramValues[kMainFxOffOn];
  constants.delayStageOn = effectSwitch != 0.0;
  constants.output = OutputSelectionFor(effectSwitch);

  const double saturation = ClampUnit(Guarded(state, kSaturationGain));
  constants.saturatorOn = saturation > 0.0;
  constants.driveGain = SaturatorDriveGain(saturation);
  constants.makeUpGain = SaturatorMakeUpGain(saturation);

  // Mode index = truncate(clamp(mode) + 1), with NaN kept by the clamp: 2 is
  // the flanger set, 1 the chorus set, and NaN (below 1) leaves depth,
  // centre, feedback and rate at 0.
  const double modeIndex = std::trunc(ClampUnit(state.paramValues[kQuillwaveMode]) + 1.0);
  double rate = 0.0;
  if (modeIndex >= 1.0)
  {
    const double bandwidth = Guarded(state, kQuillwaveBandwidth);
    const double centre = Guarded(state, kQuillwaveCenter);
    const double rateControl = Guarded(state, kQuillwaveRate);
    constants.feedback = kMaxFeedback * Guarded(state, kQuillwaveFeedback);
    if (modeIndex >= 2.0)
    {
      constants.depth = kFlangerDepthSpan * bandwidth + kFlangerDepthMin;
      constants.centre = kFlangerCentreSpan * centre + kFlangerCentreMin;
      rate = 0.195 * rateControl + 0.005;
    }
    else
    {
      constants.depth = 19.9 * bandwidth + 0.1;
      constants.centre = 199.0 * centre + 1.0;
      rate = 4.5 * rateControl + 0.5;
    }
  }
  constants.incrementA = LowBits32OfTruncation(rate * state.lfoA.phaseScale);
  constants.incrementB = LowBits32OfTruncation(rate * 1.31 * state.lfoB.phaseScale);

  const double tonePosition = 0.8 * ClampUnit(Guarded(state, kFilterTone)) + 0.1;
  constants.tone = ToneConstantsFor(tonePosition, state.sampleRate);
  return constants;
}
