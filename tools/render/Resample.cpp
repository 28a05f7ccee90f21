#include "tools/render/Resample.h"

namespace
{

constexpr size_t kOutputBlock = 8192;

}  // namespace

bool StreamResampler::Open(double sourceRate, double targetRate, std::string& error)
{
  ratio = targetRate / sourceRate;
  if (!src_is_valid_ratio(ratio))
  {
    error = "cannot convert " + std::to_string(sourceRate) + " Hz to " +
            std::to_string(targetRate) + " Hz";
    return false;
  }
  for (auto& state : states)
  {
    int status = 0;
    state.reset(src_new(SRC_SINC_BEST_QUALITY, 1, &status));
    if (!state)
    {
      error = std::string("cannot start resampling: ") + src_strerror(status);
      return false;
    }
  }
  out.resize(kOutputBlock);
  return true;
}

bool StreamResampler::Process(const double* left, const double* right, size_t frames, bool last,
                              std::vector<double>& outLeft, std::vector<double>& outRight,
                              std::string& error)
{
  return ProcessChannel(0, left, frames, last, outLeft, error) &&
         ProcessChannel(1, right, frames, last, outRight, error);
}

bool StreamResampler::ProcessChannel(int channel, const double* input, size_t frames, bool last,
                                     std::vector<double>& output, std::string& error)
{
  in.assign(input, input + frames);
  SRC_DATA data{};
  data.data_in = in.data();
  data.input_frames = static_cast<long>(frames);
  data.end_of_input = last ? 1 : 0;
  data.src_ratio = ratio;
  for (;;)
  {
    data.data_out = out.data();
    data.output_frames = static_cast<long>(out.size());
    const int status = src_process(states[channel].get(), &data);
    if (status != 0)
    {
      error = std::string("resampling failed: ") + src_strerror(status);
      return false;
    }
    output.insert(output.end(), out.begin(), out.begin() + data.output_frames_gen);
    data.data_in += data.input_frames_used;
    data.input_frames -= data.input_frames_used;
    if (data.input_frames == 0 && (!last || data.output_frames_gen == 0))
      return true;
  }
}
