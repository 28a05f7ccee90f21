#include "engine/Engine.h"

#include "engine/CosineTable.h"
#include "engine/DelayLine.h"
#include "engine/EngineBlockConstants.h"
#include "engine/EngineBlockLoop.h"

#include <initializer_list>

namespace
{

PathMemories LoadMemories(const EngineState& state)
{
  const double* const saturator[2] = {state.satState1, state.satState2};
  const double* const dc[2] = {state.dcState1, state.dcState2};
  const auto pair = [](const double* const(&memory)[2], int index) {
    return StereoPair{memory[0][index], memory[1][index]};
  };
  PathMemories memories;
  memories.tone = StereoPair{state.toneState1, state.toneState2};
  memories.saturator.drivenInput = pair(saturator, kSatDrivenInput);
  memories.saturator.wholeSample = pair(saturator, kSatWholeSample);
  memories.saturator.halfSample = pair(saturator, kSatHalfSample);
  memories.saturator.dcInput = pair(dc, kDcInput);
  memories.saturator.dcOutput = pair(dc, kDcOutput);
  return memories;
}

void StoreMemories(const PathMemories& memories, EngineState& state)
{
  double* const saturator[2] = {state.satState1, state.satState2};
  double* const dc[2] = {state.dcState1, state.dcState2};
  // The loop keeps these two before their flush (ToneFilter.h, Saturator.h).
  const StereoPair tone = FlushTiny(memories.tone);
  const StereoPair dcOutput = FlushTiny(memories.saturator.dcOutput);
  state.toneState1 = tone[0];
  state.toneState2 = tone[1];
  for (int path = 0; path < 2; ++path)
  {
    saturator[path][kSatDrivenInput] = memories.saturator.drivenInput[path];
    saturator[path][kSatWholeSample] = memories.saturator.wholeSample[path];
    saturator[path][kSatHalfSample] = memories.saturator.halfSample[path];
    dc[path][kDcInput] = memories.saturator.dcInput[path];
    dc[path][kDcOutput] = dcOutput[path];
  }
}

// The state's increment field is signed; the phase wraps modulo 2^32 either
// way. Converted without relying on implementation-defined narrowing.
int32_t SignedIncrement(uint32_t increment)
{
  return increment <= 0x7FFFFFFFu
             ? static_cast<int32_t>(increment)
             : static_cast<int32_t>(static_cast<int64_t>(increment) - 0x100000000LL);
}

// Perform needs every entry of the cosine table and both delay memories;
// without them it refuses the block as it does a missing buffer.
bool HasSignalMemory(const EngineState& state)
{
  return CosineTableIsUsable(state.cosineTable) && state.delayA.memory != nullptr &&
         state.delayB.memory != nullptr;
}

}  // namespace

int32_t EnginePerform(EngineState* state, const double* input1, const double* input2,
                      double* output1, double* output2, int32_t sampleCount)
{
  static const EngineBlockLoop loop =
      __builtin_cpu_supports("avx2") ? EngineRunBlockAvx2 : EngineRunBlockSse2;
  return EnginePerformWith(loop, state, input1, input2, output1, output2, sampleCount);
}

int32_t EnginePerformWith(EngineBlockLoop loop, EngineState* state, const double* input1,
                          const double* input2, double* output1, double* output2,
                          int32_t sampleCount)
{
  if (state == nullptr)
  {
    return static_cast<int32_t>(kEngineErrorMissingBuffer);
  }
  if (state->errorState != 0)
  {
    return static_cast<int32_t>(state->errorState);
  }
  if (input1 == nullptr || input2 == nullptr || output1 == nullptr || output2 == nullptr ||
      !HasSignalMemory(*state))
  {
    state->errorState = kEngineErrorMissingBuffer;
    return static_cast<int32_t>(state->errorState);
  }

  const EngineBlockConstants constants = EngineComputeBlockConstants(*state);
  state->lfoA.increment = SignedIncrement(constants.incrementA);
  state->lfoB.increment = SignedIncrement(constants.incrementB);

  EngineBlockJob job{&constants,
                     state->cosineTable.data,
                     DelayPair{{state->delayA.memory, state->delayB.memory},
                               state->delayA.size,
                               state->delayA.mask,
                               state->delayA.maxDelay,
                               state->delayA.readPos,
                               state->delayA.writePos},
                     state->lfoA.phase,
                     state->lfoB.phase,
                     LoadMemories(*state),
                     input1,
                     input2,
                     output1,
                     output2,
                     sampleCount};
  loop(job);

  for (DelayLine* line : {&state->delayA, &state->delayB})
  {
    line->readPos = job.delays.readPos;
    line->writePos = job.delays.writePos;
  }
  state->lfoA.phase = job.phaseA;
  state->lfoB.phase = job.phaseB;
  StoreMemories(job.memories, *state);
  return 0;
}
