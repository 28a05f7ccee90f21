#pragma once

#include <vector>

// Per-channel state of one plug-in output. `data` points at this channel's
// entry in the plug-in's output data pointer array, which the processing
// routine writes.
struct IOutputChannel
{
  bool connected = false;
  double** data = nullptr;
  // Host buffer attached for the coming block: single precision (filled from
  // scratch afterwards) or double precision (written in place); at most one
  // is set.
  float* destination = nullptr;
  double* hostBuffer = nullptr;
  std::vector<double> scratch;
};
