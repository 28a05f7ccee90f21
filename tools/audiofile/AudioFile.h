#pragma once

#include <sndfile.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Two planar channels of audio at one sample rate.
struct StereoAudio
{
  double sampleRate = 0.0;
  std::vector<double> left;
  std::vector<double> right;
  size_t Frames() const { return left.size(); }
};

struct SndfileCloser
{
  void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

// Reads any file libsndfile reads, block by block, as two planar channels: a mono file feeds
// both channels, files with more than two channels are refused.
class AudioFileReader
{
public:
  // Returns false with a reason.
  bool Open(const std::string& path, std::string& error);
  double SampleRate() const { return info.samplerate; }
  // The length the file's header gives.
  int64_t Frames() const { return info.frames; }
  // Reads up to `frames` frames; returns how many (0 at the end) or -1 on a read error.
  int64_t Read(double* left, double* right, size_t frames);

private:
  std::string path;
  SF_INFO info{};
  SndfileHandle file;
  std::vector<double> interleaved;
};

// Writes a stereo 32-bit float WAV or AIFF, or a 24-bit FLAC, block by block; the format
// comes from the extension of the file's final name.
class AudioFileWriter
{
public:
  // Opens `path` itself, or, with `descriptor` 0 or more, that open file standing in for
  // `path` (the writer then owns and closes it). Returns false with a reason.
  bool Open(const std::string& path, double sampleRate, std::string& error, int descriptor = -1);
  bool Write(const double* left, const double* right, size_t frames, std::string& error);
  // Finishes the header; false with a reason when the file could not be completed.
  bool Close(std::string& error);

private:
  std::string path;
  SndfileHandle file;
  std::vector<double> interleaved;
};

// Reads a whole file (see AudioFileReader). Returns false with a reason.
bool ReadAudioFile(const std::string& path, StereoAudio& audio, std::string& error);

// Writes a whole file (see AudioFileWriter).
bool WriteAudioFile(const std::string& path, const StereoAudio& audio, std::string& error);
