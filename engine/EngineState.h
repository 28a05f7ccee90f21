#pragma once

#include "engine/DataBuffer.h"
#include "engine/DelayLine.h"
#include "engine/EngineParamInfo.h"
#include "engine/EngineParameterTable.h"
#include "engine/PhaseAccumulator.h"

#include <cstdint>

// Error code of a perform call that was refused: a buffer pointer was
// missing, or the state lacks its cosine table or delay memory.
constexpr uint32_t kEngineErrorMissingBuffer = 101;

// Everything one plug-in instance's engine needs. Path 1 is the left channel
// (delayA, lfoA, the ...1 memories), path 2 the right (delayB, lfoB, ...2).
struct EngineState
{
  double sampleRate = 0.0;
  int32_t vectorSize = 0;
  int32_t numInputs = 0;
  int32_t numOutputs = 0;
  const char* const* inputNames = nullptr;
  const char* const* outputNames = nullptr;
  int32_t numParams = 0;
  EngineParamInfo* params = nullptr;
  double dcState1[2] = {};
  double dcState2[2] = {};
  DelayLine delayB;
  DelayLine delayA;
  PhaseAccumulator lfoA;
  PhaseAccumulator lfoB;
  DataBuffer cosineTable;
  uint32_t errorState = 0;
  // Current parameter values, indexed by EngineParam. Besides
  // EngineSetParameter the plug-in writes host tempo and MIDI controller
  // values here directly, clamping them itself.
  double paramValues[kEngineNumParams] = {};
  double toneState1 = 0.0;
  double toneState2 = 0.0;
  double satState1[3] = {};
  double satState2[3] = {};
};
