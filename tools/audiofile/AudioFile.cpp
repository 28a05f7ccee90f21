#include "tools/audiofile/AudioFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>

namespace {

struct SndfileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

bool FormatForExtension(const std::string& path, int& format) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".wav") format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  else if (extension == ".aif" || extension == ".aiff") format = SF_FORMAT_AIFF | SF_FORMAT_FLOAT;
  else if (extension == ".flac") format = SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
  else return false;
  return true;
}

}  // namespace

bool ReadAudioFile(const std::string& path, StereoAudio& audio, std::string& error) {
  SF_INFO info{};
  SndfileHandle file(sf_open(path.c_str(), SFM_READ, &info));
  if (!file) {
    error = "cannot read " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  if (info.channels < 1 || info.channels > 2) {
    error = path + " has " + std::to_string(info.channels) + " channels; mono or stereo expected";
    return false;
  }
  std::vector<double> interleaved(static_cast<size_t>(info.frames) *
                                  static_cast<size_t>(info.channels));
  const sf_count_t read = sf_readf_double(file.get(), interleaved.data(), info.frames);
  if (read < 0) {
    error = "cannot read the samples of " + path;
    return false;
  }
  const size_t frames = static_cast<size_t>(read);
  const size_t channels = static_cast<size_t>(info.channels);
  audio.sampleRate = info.samplerate;
  audio.left.resize(frames);
  audio.right.resize(frames);
  for (size_t i = 0; i < frames; ++i) {
    audio.left[i] = interleaved[i * channels];
    audio.right[i] = interleaved[i * channels + channels - 1];
  }
  return true;
}

bool WriteAudioFile(const std::string& path, const StereoAudio& audio, std::string& error) {
  SF_INFO info{};
  if (!FormatForExtension(path, info.format)) {
    error = "cannot tell the output format of " + path + " (use .wav, .aiff or .flac)";
    return false;
  }
  info.channels = 2;
  info.samplerate = static_cast<int>(audio.sampleRate);
  SndfileHandle file(sf_open(path.c_str(), SFM_WRITE, &info));
  if (!file) {
    error = "cannot write " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  std::vector<double> interleaved(audio.Frames() * 2);
  for (size_t i = 0; i < audio.Frames(); ++i) {
    interleaved[2 * i] = audio.left[i];
    interleaved[2 * i + 1] = audio.right[i];
  }
  const auto frames = static_cast<sf_count_t>(audio.Frames());
  if (sf_writef_double(file.get(), interleaved.data(), frames) != frames) {
    error = "cannot write the samples of " + path;
    return false;
  }
  return true;
}
