#pragma once

#include <cstdint>

// How many samples the output keeps ringing after the input falls silent, at
// `sampleRate`, for any parameter setting: after that many samples the output
// of a full-scale impulse stays below -90 dB. A bound from the engine's limits
// (longest delay, strongest feedback, largest gains, slowest filter poles), so
// it holds whatever the controls do later. 0 for a rate the engine cannot run at.
int32_t EngineTailSamples(double sampleRate);
