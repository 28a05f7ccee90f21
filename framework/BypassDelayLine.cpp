#include "framework/BypassDelayLine.h"

#include <algorithm>
#include <cstring>
#include <new>

BypassDelayLine::BypassDelayLine(int inputCount, int outputCount)
    : inputs(std::max(inputCount, 0)), outputs(std::max(outputCount, 0))
{
}

bool BypassDelayLine::SetLength(uint32_t samples)
{
  try
  {
    std::vector<double> resized(static_cast<size_t>(samples) * static_cast<size_t>(inputs), 0.0);
    buffer.swap(resized);
  }
  catch (const std::bad_alloc&)
  {
    return false;
  }
  length = samples;
  writePosition = 0;
  return true;
}

void BypassDelayLine::Process(double* const* in, double* const* out, int frames)
{
  const int channels = std::min(inputs, outputs);
  if (length == 0)
  {
    for (int j = 0; j < channels; ++j)
    {
      if (in[j] != out[j])
        std::memmove(out[j], in[j], sizeof(double) * static_cast<size_t>(std::max(frames, 0)));
    }
    return;
  }
  for (int t = 0; t < frames; ++t)
  {
    for (int j = 0; j < channels; ++j)
    {
      double& stored = buffer[static_cast<size_t>(j) * length + writePosition];
      // Read the input before writing the output: they may share a buffer.
      const double input = in[j][t];
      out[j][t] = stored;
      stored = input;
    }
    writePosition = (writePosition + 1) % length;
  }
}
