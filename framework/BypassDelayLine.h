#pragma once

#include <cstdint>
#include <vector>

// Delays each input channel by the plug-in's latency while it is bypassed, so
// the bypassed signal stays aligned with the processed one. The buffer holds
// `length` samples per input channel, channel after channel.
class BypassDelayLine
{
public:
  BypassDelayLine(int inputs, int outputs);

  // Sets the delay, zeroes the buffer and restarts at position 0. False (and
  // nothing changed) when the buffer cannot be allocated.
  bool SetLength(uint32_t samples);
  uint32_t Length() const { return length; }

  // Writes the input of `length` samples earlier to every channel present on
  // both sides; inputs and outputs may be the same buffers. With length 0 the
  // input is copied.
  void Process(double* const* inputs, double* const* outputs, int frames);

private:
  std::vector<double> buffer;
  uint32_t writePosition = 0;
  int inputs = 0;
  int outputs = 0;
  uint32_t length = 0;
};
