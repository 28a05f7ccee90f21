#pragma once

#include <string>
#include <vector>

// Two planar channels of audio at one sample rate.
struct StereoAudio {
  double sampleRate = 0.0;
  std::vector<double> left;
  std::vector<double> right;
  size_t Frames() const { return left.size(); }
};

// Reads any file libsndfile reads; a mono file feeds both channels, files with more than two
// channels are refused. Returns false with a reason.
bool ReadAudioFile(const std::string& path, StereoAudio& audio, std::string& error);

// Writes 32-bit float WAV, AIFF or FLAC (24-bit) chosen by the file extension.
bool WriteAudioFile(const std::string& path, const StereoAudio& audio, std::string& error);
