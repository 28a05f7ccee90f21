#pragma once

#include <cstdint>

// Low-frequency oscillator phase: the full 2^32 range of `phase` is one
// cycle, advanced by `increment` every sample. increment = truncate(frequency
// in Hz x phaseScale), with phaseScale = 2^32 / sample rate.
struct PhaseAccumulator
{
  uint32_t phase = 0;
  int32_t increment = 0;
  double phaseScale = 0.0;
};

// 2^32 / sampleRate; 0 when the rate is not a positive finite number or so
// small that the scale would overflow, so the oscillator then stands still.
double PhaseScaleFor(double sampleRate);
