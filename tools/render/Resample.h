#pragma once

#include <samplerate.h>

#include <memory>
#include <string>
#include <vector>

// Converts a stereo stream to another sample rate with libsamplerate's best sinc converter,
// block by block. Each channel has its own converter and goes through 32-bit floats, so the
// result is the same as converting the whole of each channel at once.
class StreamResampler
{
public:
  // False with a reason when the ratio (target rate / source rate) cannot be converted.
  bool Open(double sourceRate, double targetRate, std::string& error);
  double Ratio() const { return ratio; }
  // Converts `frames` frames and appends what comes out to `outLeft` and `outRight`; `last`
  // marks the end of the input, after which the converters are flushed.
  bool Process(const double* left, const double* right, size_t frames, bool last,
               std::vector<double>& outLeft, std::vector<double>& outRight, std::string& error);

private:
  struct StateDeleter
  {
    void operator()(SRC_STATE* state) const { src_delete(state); }
  };
  bool ProcessChannel(int channel, const double* input, size_t frames, bool last,
                      std::vector<double>& output, std::string& error);

  double ratio = 1.0;
  std::unique_ptr<SRC_STATE, StateDeleter> states[2];
  std::vector<float> in;
  std::vector<float> out;
};
