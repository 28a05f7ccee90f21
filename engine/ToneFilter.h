#pragma once

#include "engine/SignalGuards.h"
#include "engine/StereoPair.h"

// Tone control: a topology-preserving one-pole low-pass whose output is mixed
// into a low-pass or a high-pass response, faded against the unfiltered
// signal around the middle of the control so it passes through flat.
struct ToneConstants
{
  double k = 0.0;  // tan(pi x cutoff / sample rate)
  double onePlusK = 1.0;
  double highPass = 0.0;  // 1 in high-pass mode, 0 in low-pass mode
  double fade = 1.0;      // weight of the filtered response
};

// Constants for tone position t (0.1 to 0.9). k is 0 unless the sample rate
// is positive and gives a finite angle, so a state reset for a rate of 0, a
// negative, NaN or vanishingly small rate passes the signal through
// unfiltered instead of turning it into NaN.
ToneConstants ToneConstantsFor(double tonePosition, double sampleRate);

// One sample (a double or a StereoPair of both paths) through the filter
// with memory `state`. The memory is flushed like every recursive memory, so
// silence never leaves the filter in subnormal arithmetic; the flush is
// applied where the memory is read, off the recursion's critical path, so
// `state` holds the value before it: keep FlushTiny(state).
template <typename Sample>
inline Sample ToneFilterProcess(Sample& state, Sample input, const ToneConstants& tone)
{
  const Sample lp =
      tone.onePlusK != 0.0 ? AddFlushed(tone.k * input, state, state) / tone.onePlusK : Sample{};
  state = tone.k * (input - lp) + lp;
  return ((input - lp - lp) * tone.highPass + lp - input) * tone.fade + input;
}
