#pragma once

#include <cstdint>

// One row of the engine's parameter table. The plug-in declares its own
// parameters from these rows, index for index.
struct EngineParamInfo
{
  double defaultValue = 0.0;
  const void* reference = nullptr;
  uint8_t hasUnitRange = 0;
  uint8_t hasRange = 1;
  double unitMin = 0.0;
  double unitMax = 1.0;
  double min = 0.0;
  double max = 1.0;
  const char* name = "";
  const char* units = "";
  int32_t kind = 0;
  double exponent = 0.0;
};
