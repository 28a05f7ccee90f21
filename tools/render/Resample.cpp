#include "tools/render/Resample.h"

#include <samplerate.h>

#include <cmath>
#include <vector>

namespace {

bool ResampleChannel(std::vector<double>& channel, double ratio, std::string& error) {
  std::vector<float> in(channel.begin(), channel.end());
  std::vector<float> out(static_cast<size_t>(std::ceil(static_cast<double>(in.size()) * ratio)) + 1);
  SRC_DATA data{};
  data.data_in = in.data();
  data.input_frames = static_cast<long>(in.size());
  data.data_out = out.data();
  data.output_frames = static_cast<long>(out.size());
  data.src_ratio = ratio;
  const int status = src_simple(&data, SRC_SINC_BEST_QUALITY, 1);
  if (status != 0) {
    error = std::string("resampling failed: ") + src_strerror(status);
    return false;
  }
  channel.assign(out.begin(), out.begin() + data.output_frames_gen);
  return true;
}

}  // namespace

bool Resample(StereoAudio& audio, double targetRate, std::string& error) {
  if (audio.sampleRate == targetRate) return true;
  const double ratio = targetRate / audio.sampleRate;
  if (!src_is_valid_ratio(ratio)) {
    error = "cannot convert " + std::to_string(audio.sampleRate) + " Hz to " +
            std::to_string(targetRate) + " Hz";
    return false;
  }
  if (!ResampleChannel(audio.left, ratio, error) || !ResampleChannel(audio.right, ratio, error))
    return false;
  audio.sampleRate = targetRate;
  return true;
}
