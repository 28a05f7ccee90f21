#include "tests/vst3/Vst3TestData.h"

#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace vst3test
{
namespace
{
template <typename Sample>
ProcessData MakeData(StereoBlock<Sample>& block, AudioBusBuffers (&buses)[2], int32 sampleSize)
{
  buses[0] = AudioBusBuffers();
  buses[1] = AudioBusBuffers();
  buses[0].numChannels = 2;
  buses[1].numChannels = 2;
  ProcessData data;
  data.processMode = kRealtime;
  data.symbolicSampleSize = sampleSize;
  data.numSamples = static_cast<int32>(block.in[0].size());
  data.numInputs = 1;
  data.numOutputs = 1;
  data.inputs = &buses[0];
  data.outputs = &buses[1];
  return data;
}
}  // namespace

ProcessData MakeProcessData(StereoBlock<float>& block, AudioBusBuffers (&buses)[2])
{
  ProcessData data = MakeData(block, buses, kSample32);
  buses[0].channelBuffers32 = block.inPointers;
  buses[1].channelBuffers32 = block.outPointers;
  return data;
}

ProcessData MakeProcessData(StereoBlock<double>& block, AudioBusBuffers (&buses)[2])
{
  ProcessData data = MakeData(block, buses, kSample64);
  buses[0].channelBuffers64 = block.inPointers;
  buses[1].channelBuffers64 = block.outPointers;
  return data;
}

void AppendDouble(std::vector<uint8_t>& bytes, double value)
{
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 8; ++i)
    bytes.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

void AppendInt32(std::vector<uint8_t>& bytes, int32_t value)
{
  const uint32_t bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i)
    bytes.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

double DoubleAt(const std::vector<uint8_t>& bytes, size_t offset)
{
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i)
    bits |= static_cast<uint64_t>(bytes.at(offset + static_cast<size_t>(i))) << (8 * i);
  double value = 0.0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::u16string Text(const TChar* string)
{
  std::u16string text;
  for (size_t i = 0; string[i] != 0; ++i)
    text.push_back(static_cast<char16_t>(string[i]));
  return text;
}

}  // namespace vst3test
