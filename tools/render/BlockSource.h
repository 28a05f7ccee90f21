#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/audiofile/AudioFile.h"
#include "tools/render/Resample.h"

// Frames read from the input file at a time (at the file's rate). Process blocks do not
// line up with these reads, so a block may straddle two of them.
constexpr size_t kRenderReadFrames = 16384;

// The input file at the processing rate, handed out in blocks of any size, holding no more
// than a few reads of it in memory.
class BlockSource
{
public:
  // Opens `path`; a `rate` above 0 that differs from the file's converts the file to it.
  bool Open(const std::string& path, double rate, std::string& error);
  double SampleRate() const { return rate; }
  // How many frames the whole input gives at the processing rate.
  uint64_t TotalFrames() const { return total; }
  // Fills up to `frames` frames of both channels; `filled` is less only at the end of the
  // input (0 after it). False with a reason on a read or conversion error.
  bool Next(size_t frames, double* left, double* right, size_t& filled, std::string& error);

private:
  bool Refill(std::string& error);

  std::string path;
  AudioFileReader reader;
  std::optional<StreamResampler> resampler;
  double rate = 0.0;
  uint64_t total = 0;
  uint64_t handedOut = 0;
  size_t readFrames = kRenderReadFrames;
  bool inputDone = false;
  std::vector<double> read[2];
  std::vector<double> pending[2];
  size_t pendingStart = 0;
};
