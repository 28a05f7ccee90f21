#include "tools/render/BlockSource.h"

#include <algorithm>
#include <cmath>

bool BlockSource::Open(const std::string& filePath, double processRate, std::string& error)
{
  path = filePath;
  if (!reader.Open(path, error))
    return false;
  rate = reader.SampleRate();
  total = static_cast<uint64_t>(std::max<int64_t>(reader.Frames(), 0));
  if (processRate > 0.0 && processRate != rate)
  {
    resampler.emplace();
    if (!resampler->Open(rate, processRate, error))
      return false;
    // Converting the whole file at once would give room for this many frames and no more.
    total = static_cast<uint64_t>(std::ceil(static_cast<double>(total) * resampler->Ratio())) + 1;
    // Reads shrink as the ratio grows, so what one read turns into stays about the same size.
    readFrames = std::max<size_t>(1, static_cast<size_t>(static_cast<double>(kRenderReadFrames) /
                                                         std::max(1.0, resampler->Ratio())));
    rate = processRate;
  }
  for (auto& channel : read)
    channel.resize(readFrames);
  return true;
}

bool BlockSource::Refill(std::string& error)
{
  for (auto& channel : pending)
    channel.erase(channel.begin(), channel.begin() + pendingStart);
  pendingStart = 0;
  const int64_t count = reader.Read(read[0].data(), read[1].data(), readFrames);
  if (count < 0)
  {
    error = "cannot read the samples of " + path;
    return false;
  }
  const auto frames = static_cast<size_t>(count);
  inputDone = frames == 0;
  if (!resampler)
  {
    for (int c = 0; c < 2; ++c)
      pending[c].insert(pending[c].end(), read[c].begin(), read[c].begin() + count);
    return true;
  }
  return resampler->Process(read[0].data(), read[1].data(), frames, inputDone, pending[0],
                            pending[1], error);
}

bool BlockSource::Next(size_t frames, double* left, double* right, size_t& filled,
                       std::string& error)
{
  while (pending[0].size() - pendingStart < frames && !inputDone)
    if (!Refill(error))
      return false;
  size_t available = pending[0].size() - pendingStart;
  // A converted stream stops where the whole-file conversion had no more room.
  if (resampler)
    available = static_cast<size_t>(std::min<uint64_t>(available, total - handedOut));
  filled = std::min(frames, available);
  std::copy_n(pending[0].begin() + static_cast<std::ptrdiff_t>(pendingStart), filled, left);
  std::copy_n(pending[1].begin() + static_cast<std::ptrdiff_t>(pendingStart), filled, right);
  pendingStart += filled;
  handedOut += filled;
  return true;
}
