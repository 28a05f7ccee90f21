#include "engine/Engine.h"

void EngineSetParameter(EngineState* state, uint32_t index, double value)
{
  if (state == nullptr || index >= kEngineNumParams)
  {
    return;
  }
  const EngineParamDefinition& range = EngineParamDefinitionAt(index);
  if (value < range.min)
  {
    value = range.min;
  }
  else if (value > range.max)
  {
    value = range.max;
  }
  state->paramValues[index] = value;
}
