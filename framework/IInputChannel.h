#pragma once

#include <vector>

// Per-channel state of one plug-in input. `data` points at this channel's
// entry in the plug-in's input data pointer array, which the processing
// routine reads.
struct IInputChannel
{
  bool connected = false;
  double** data = nullptr;
  // Host buffer attached for the coming block: single precision (converted
  // into scratch) or double precision (read in place); at most one is set.
  const float* source = nullptr;
  double* hostBuffer = nullptr;
  std::vector<double> scratch;
};
