#pragma once

#include "engine/EngineState.h"

#include <cstdint>

// The engine's operations. One EngineState serves one plug-in instance; it
// takes no locks, so the caller serialises all calls on one state.

// Creates a state prepared for `sampleRate` with every parameter at its
// default. Returns null only when the record or its parameter table cannot be
// allocated; a missing cosine table or delay memory is reported on the
// console and makes every perform call fail with kEngineErrorMissingBuffer.
EngineState* EngineCreate(double sampleRate);

// Clears all signal memory and the error state, prepares the oscillators for
// `sampleRate` and puts every parameter back to its default, so the caller
// applies its own values again afterwards. The delay lines keep the size of
// their first setup. `vectorSize` is informational only: perform accepts any
// block length.
void EngineReset(EngineState* state, double sampleRate, int32_t vectorSize);

// Stores `value` clamped into the parameter's [min, max] (NaN is stored as
// given). An index of kEngineNumParams or above is ignored.
void EngineSetParameter(EngineState* state, uint32_t index, double value);

// Processes `sampleCount` stereo frames. Input frame i is read before output
// frame i is written, so the outputs may be the inputs. Returns 0, or the
// sticky error code (kEngineErrorMissingBuffer) that a reset clears; a
// refused call writes nothing.
int32_t EnginePerform(EngineState* state, const double* input1, const double* input2,
                      double* output1, double* output2, int32_t sampleCount);

// Frees the state and everything it owns; null is accepted.
void EngineDestroy(EngineState* state);

// Lets a std::unique_ptr own a state.
struct EngineStateDeleter
{
  void operator()(EngineState* state) const { EngineDestroy(state); }
};
