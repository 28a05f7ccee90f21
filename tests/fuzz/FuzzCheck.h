#pragma once

#include "framework/IEffectBase.h"

#include <cmath>

// What every fuzz target asserts about the plug-in after feeding it an input.
// A failed check prints what failed and aborts, which libFuzzer reports as a
// crash together with the input that caused it.

void FuzzCheck(bool condition, const char* what);

// Every parameter holds a value within its own range (NaN is not within it).
void CheckParametersInRange(const IEffectBase& plugin);

// Runs one block of a clean test tone through the plug-in's ProcessDouble,
// under its mutex, and checks that every output sample is finite: no input
// may leave the plug-in in a state that turns clean audio into NaN or
// infinity. The caller has reset the plug-in for a block size of at least
// kFuzzBlockFrames.
constexpr int kFuzzBlockFrames = 64;
void CheckCleanBlock(IEffectBase& plugin);

// Checks that both channels of a processed block of kFuzzBlockFrames are finite.
template <class Sample>
void CheckFiniteBlock(const Sample* left, const Sample* right)
{
  for (int n = 0; n < kFuzzBlockFrames; ++n)
    FuzzCheck(std::isfinite(left[n]) && std::isfinite(right[n]),
              "clean input gave a non-finite output");
}
