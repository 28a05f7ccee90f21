#include "tools/audiofile/AudioFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace
{

constexpr size_t kWholeFileBlock = 65536;

bool FormatForExtension(const std::string& path, int& format)
{
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".wav")
    format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  else if (extension == ".aif" || extension == ".aiff")
    format = SF_FORMAT_AIFF | SF_FORMAT_FLOAT;
  else if (extension == ".flac")
    format = SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
  else
    return false;
  return true;
}

}  // namespace

bool AudioFileReader::Open(const std::string& filePath, std::string& error)
{
  path = filePath;
  info = SF_INFO{};
  file.reset(sf_open(path.c_str(), SFM_READ, &info));
  if (!file)
  {
    error = "cannot read " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  if (info.channels < 1 || info.channels > 2)
  {
    error = path + " has " + std::to_string(info.channels) + " channels; mono or stereo expected";
    file.reset();
    return false;
  }
  return true;
}

int64_t AudioFileReader::Read(double* left, double* right, size_t frames)
{
  const size_t channels = static_cast<size_t>(info.channels);
  interleaved.resize(frames * channels);
  const sf_count_t read =
      sf_readf_double(file.get(), interleaved.data(), static_cast<sf_count_t>(frames));
  if (read < 0 || sf_error(file.get()) != SF_ERR_NO_ERROR)
    return -1;
  for (size_t i = 0; i < static_cast<size_t>(read); ++i)
  {
    left[i] = interleaved[i * channels];
    right[i] = interleaved[i * channels + channels - 1];
  }
  return read;
}

bool AudioFileWriter::Open(const std::string& filePath, double sampleRate, std::string& error,
                           int descriptor)
{
  path = filePath;
  SF_INFO info{};
  if (!FormatForExtension(path, info.format))
  {
    error = "cannot tell the output format of " + path + " (use .wav, .aiff or .flac)";
    return false;
  }
  info.channels = 2;
  info.samplerate = static_cast<int>(sampleRate);
  file.reset(descriptor >= 0 ? sf_open_fd(descriptor, SFM_WRITE, &info, SF_TRUE)
                             : sf_open(path.c_str(), SFM_WRITE, &info));
  if (!file)
  {
    error = "cannot write " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  // The peak chunk carries the time of writing; without it the same render writes the same
  // bytes.
  sf_command(file.get(), SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
  return true;
}

bool AudioFileWriter::Write(const double* left, const double* right, size_t frames,
                            std::string& error)
{
  interleaved.resize(frames * 2);
  for (size_t i = 0; i < frames; ++i)
  {
    interleaved[2 * i] = left[i];
    interleaved[2 * i + 1] = right[i];
  }
  const auto count = static_cast<sf_count_t>(frames);
  if (sf_writef_double(file.get(), interleaved.data(), count) != count)
  {
    error = "cannot write the samples of " + path + ": " + sf_strerror(file.get());
    return false;
  }
  return true;
}

bool AudioFileWriter::Close(std::string& error)
{
  if (sf_close(file.release()) != 0)
  {
    error = "cannot finish " + path;
    return false;
  }
  return true;
}

bool ReadAudioFile(const std::string& path, StereoAudio& audio, std::string& error)
{
  AudioFileReader reader;
  if (!reader.Open(path, error))
    return false;
  audio.sampleRate = reader.SampleRate();
  audio.left.clear();
  audio.right.clear();
  for (;;)
  {
    const size_t done = audio.Frames();
    audio.left.resize(done + kWholeFileBlock);
    audio.right.resize(done + kWholeFileBlock);
    const int64_t read =
        reader.Read(audio.left.data() + done, audio.right.data() + done, kWholeFileBlock);
    if (read < 0)
    {
      error = "cannot read the samples of " + path;
      return false;
    }
    audio.left.resize(done + static_cast<size_t>(read));
    audio.right.resize(done + static_cast<size_t>(read));
    if (read == 0)
      return true;
  }
}

bool WriteAudioFile(const std::string& path, const StereoAudio& audio, std::string& error)
{
  AudioFileWriter writer;
  return writer.Open(path, audio.sampleRate, error) &&
         writer.Write(audio.left.data(), audio.right.data(), audio.Frames(), error) &&
         writer.Close(error);
}
