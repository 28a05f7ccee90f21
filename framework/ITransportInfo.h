#pragma once

#include <cstdint>

// Host transport state; positions in quarter notes unless noted.
struct ITransportInfo
{
  double tempo = 0.0;           // beats per minute
  double samplePosition = 0.0;  // samples
  double ppqPosition = 0.0;
  double lastBarStart = 0.0;
  double cycleStart = 0.0;
  double cycleEnd = 0.0;
  int32_t numerator = 0;
  int32_t denominator = 0;
  bool playing = false;
  bool cycleActive = false;
};
