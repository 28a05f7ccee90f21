#pragma once

#include "engine/EngineBlockConstants.h"
#include "engine/EngineState.h"
#include "engine/Saturator.h"
#include "engine/StereoPair.h"

#include <cstdint>

// The saturator and tone memories of both paths, held as pairs for the
// block.
struct PathMemories
{
  StereoPair tone;
  SaturatorMemory<StereoPair> saturator;
};

// The two delay lines for a block. They are set up with one length and are
// read, written and advanced together, so they share size, positions and
// maximum delay and differ only in their memory.
struct DelayPair
{
  double* memory[2];
  int32_t size;
  int32_t mask;
  int32_t maxDelay;
  int32_t readPos;
  int32_t writePos;
};

// Everything a block's signal loop reads and advances; perform copies the
// running values out of the state before and back after.
struct EngineBlockJob
{
  const EngineBlockConstants* constants;
  const double* cosineTable;
  DelayPair delays;
  uint32_t phaseA;
  uint32_t phaseB;
  PathMemories memories;
  const double* input1;
  const double* input2;
  double* output1;
  double* output2;
  int32_t frames;
};

// The signal loop of a block, compiled for the SSE2 baseline and for AVX2
// (VEX encoding only: no fused multiply-add, so both give the same results).
// Call the AVX2 one only where the processor has AVX2.
void EngineRunBlockSse2(EngineBlockJob& job);
void EngineRunBlockAvx2(EngineBlockJob& job);

using EngineBlockLoop = void (*)(EngineBlockJob& job);

// EnginePerform with a given signal loop instead of the one chosen for the
// processor; lets the variants be compared with each other.
int32_t EnginePerformWith(EngineBlockLoop loop, EngineState* state, const double* input1,
                          const double* input2, double* output1, double* output2,
                          int32_t sampleCount);
