#include "engine/Engine.h"

#include "engine/CosineTable.h"
#include "engine/SignalGuards.h"

#include <cmath>
#include <initializer_list>
#include <new>

namespace
{

constexpr int32_t kNominalVectorSize = 1024;
constexpr const char* kInputNames[2] = {"audio_in_1", "audio_in_2"};
constexpr const char* kOutputNames[2] = {"audio_out_1", "audio_out_2"};

// Delay length of truncate(sampleRate) samples. A rate of 0, a negative or a
// non-finite rate gives 0 (a line of two samples that can only delay by 0);
// huge finite rates are capped at the longest line a setup accepts, which
// then refuses them for want of memory.
int32_t DelayLengthFor(double sampleRate)
{
  return std::isfinite(sampleRate) ? TruncateToRange(sampleRate, kDelayLineMaxLength) : 0;
}

void ResetOscillator(PhaseAccumulator& lfo, double sampleRate)
{
  lfo.phase = 0;
  lfo.increment = 0;
  lfo.phaseScale = PhaseScaleFor(sampleRate);
}

bool BuildParameterTable(EngineState& state)
{
  state.params = new (std::nothrow) EngineParamInfo[kEngineNumParams];
  if (state.params == nullptr)
  {
    return false;
  }
  for (uint32_t index = 0; index < kEngineNumParams; ++index)
  {
    const EngineParamDefinition& definition = EngineParamDefinitionAt(index);
    EngineParamInfo& info = state.params[index];
    info.defaultValue = state.paramValues[index];
    info.min = definition.min;
    info.max = definition.max;
    info.name = definition.name;
  }
  state.numParams = kEngineNumParams;
  return true;
}

}  // namespace

EngineState* EngineCreate(double sampleRate)
{
  auto* state = new (std::nothrow) EngineState{};
  if (state == nullptr)
  {
    return nullptr;
  }
  CosineTableBuild(state->cosineTable);
  EngineReset(state, sampleRate, kNominalVectorSize);
  state->numInputs = 2;
  state->numOutputs = 2;
  state->inputNames = kInputNames;
  state->outputNames = kOutputNames;
  state->vectorSize = kNominalVectorSize;
  if (!BuildParameterTable(*state))
  {
    EngineDestroy(state);
    return nullptr;
  }
  return state;
}

void EngineReset(EngineState* state, double sampleRate, int32_t /*vectorSize*/)
{
  if (state == nullptr)
  {
    return;
  }
  state->sampleRate = sampleRate;
  state->errorState = 0;

  for (double* memory : {state->satState1, state->satState2})
  {
    for (int slot = 0; slot < 3; ++slot)
    {
      memory[slot] = 0.0;
    }
  }
  state->toneState1 = 0.0;
  state->toneState2 = 0.0;

  const int32_t delayLength = DelayLengthFor(sampleRate);
  DelayLineSetup(state->delayB, delayLength);
  DelayLineSetup(state->delayA, delayLength);

  for (uint32_t index = 0; index < kEngineNumParams; ++index)
  {
    state->paramValues[index] = EngineParamDefinitionAt(index).defaultValue;
  }

  ResetOscillator(state->lfoA, sampleRate);
  ResetOscillator(state->lfoB, sampleRate);

  for (double* memory : {state->dcState1, state->dcState2})
  {
    memory[0] = 0.0;
    memory[1] = 0.0;
  }
}

void EngineDestroy(EngineState* state)
{
  if (state == nullptr)
  {
    return;
  }
  DataBufferRelease(state->cosineTable);
  DelayLineRelease(state->delayA);
  DelayLineRelease(state->delayB);
  delete[] state->params;
  delete state;
}
