#pragma once

#include <cstdint>

// One legal pairing of input and output channel counts.
struct IChannelConfig
{
  int32_t inputs = 0;
  int32_t outputs = 0;
};
