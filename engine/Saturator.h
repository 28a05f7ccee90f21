#pragma once

#include "engine/SignalGuards.h"
#include "engine/StereoPair.h"

#include <cmath>

// Two-times-oversampled tanh saturator with a 1-2-1 smoothing of the
// oversampled signal and a DC blocker, per path. The tanh arguments of a
// sample depend only on the driven input, so a caller can form them for a
// run of samples, shape them in one batch and finish the samples after.
// Sample is a double or a StereoPair of both paths.

// Indices into a path's saturator memory in the engine state.
enum SaturatorMemoryIndex : int
{
  kSatDrivenInput = 0,  // previous driven input u'
  kSatWholeSample = 1,  // previous whole-sample shaped value y'
  kSatHalfSample = 2    // previous half-sample shaped value h'
};

// Indices into a path's DC-blocker memory in the engine state.
enum DcBlockerMemoryIndex : int
{
  kDcInput = 0,  // previous input r'
  kDcOutput = 1  // previous output q'
};

constexpr double kSaturatorSlope = 1.3;
// 1 / tanh(1.3), so an input of 1 comes out as 1.
constexpr double kSaturatorNormalise = 1.1604655035579;
constexpr double kDcBlockerPole = 0.9997;

// Gain ahead of the shaper and the make-up gain after it, for a saturation
// control of 0 to 1.
inline double SaturatorDriveGain(double saturation)
{
  const double drive = 0.5 * saturation;
  return 1.0 + 5.0 * (drive * drive);
}

inline double SaturatorMakeUpGain(double saturation)
{
  return 1.0 - 0.5 * std::sqrt(0.5 * saturation);
}

template <typename Sample>
struct SaturatorMemory
{
  Sample drivenInput;
  Sample wholeSample;
  Sample halfSample;
  Sample dcInput;
  Sample dcOutput;
};

// tanh arguments of one sample: the previous sample instant and the
// half-sample point between it and `driven`. Then `driven` becomes the
// previous driven input.
template <typename Sample>
inline void SaturatorArguments(SaturatorMemory<Sample>& memory, Sample driven, Sample& whole,
                               Sample& half)
{
  const Sample previous = memory.drivenInput;
  whole = kSaturatorSlope * previous;
  half = kSaturatorSlope * (previous + (driven - previous) * 0.5);
  memory.drivenInput = FlushTiny(driven);
}

// Finishes one sample from its shaped arguments: the 1-2-1 smoothing of the
// oversampled signal, taken 1.5 samples back, then the DC blocker. Returns
// the DC-blocked value before make-up gain.
template <typename Sample>
inline Sample SaturatorFinish(SaturatorMemory<Sample>& memory, Sample tanhWhole, Sample tanhHalf)
{
  const Sample y = tanhWhole * kSaturatorNormalise;
  const Sample m = tanhHalf * kSaturatorNormalise;
  const Sample r = ((memory.wholeSample - y) * 0.5 + y + memory.halfSample) * 0.5;
  // The blocker's memories are flushed too: its output decays by the pole
  // in silence and would otherwise settle on a subnormal value for good.
  // The output memory is flushed where it is read (pole x +0 is +0), beside
  // the recursion's multiplication, so it holds the value before the
  // flush: keep FlushTiny(dcOutput).
  const Sample q =
      (r - memory.dcInput) + ScaledFlushed(memory.dcOutput, kDcBlockerPole * memory.dcOutput);
  memory.dcInput = FlushTiny(r);
  memory.dcOutput = q;
  memory.wholeSample = FlushTiny(y);
  memory.halfSample = FlushTiny(m);
  return q;
}
