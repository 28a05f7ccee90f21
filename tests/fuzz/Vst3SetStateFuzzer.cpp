// A VST3 host restoring the component's state from a stream, as it does when
// it opens a song. The stream hands the bytes out in pieces of a size the
// input chooses, as streams over files and sockets may.
//
// Input: one byte (the piece size, 0 meaning everything at once) and then the
// stream's contents.
#include "product/Quillwave.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzHome.h"
#include "tools/pluginhost/Vst3HostObjects.h"
#include "tools/pluginhost/Vst3StereoBlock.h"

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

using namespace Steinberg;

namespace
{
// Reads deliver at most `piece` bytes (everything when 0); writes append.
class PieceStream final : public IBStream
{
public:
  PieceStream(const uint8_t* data, size_t size, size_t piece) : bytes(data, data + size), piece(piece) {}

  const std::vector<uint8_t>& Bytes() const { return bytes; }

  tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override
  {
    if (numBytes < 0 || (numBytes > 0 && buffer == nullptr))
      return kInvalidArgument;
    size_t count = std::min(bytes.size() - position, static_cast<size_t>(numBytes));
    if (piece > 0)
      count = std::min(count, piece);
    if (count > 0)
      std::memcpy(buffer, bytes.data() + position, count);
    position += count;
    if (numBytesRead != nullptr)
      *numBytesRead = static_cast<int32>(count);
    return count > 0 || numBytes == 0 ? kResultOk : kResultFalse;
  }

  tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override
  {
    if (numBytes < 0 || (numBytes > 0 && buffer == nullptr))
      return kInvalidArgument;
    const auto* first = static_cast<const uint8_t*>(buffer);
    bytes.insert(bytes.end(), first, first + numBytes);
    if (numBytesWritten != nullptr)
      *numBytesWritten = numBytes;
    return kResultOk;
  }

  tresult PLUGIN_API seek(int64, int32, int64*) override { return kNotImplemented; }
  tresult PLUGIN_API tell(int64* pos) override
  {
    if (pos == nullptr)
      return kInvalidArgument;
    *pos = static_cast<int64>(position);
    return kResultOk;
  }
  tresult PLUGIN_API queryInterface(const TUID, void** obj) override
  {
    *obj = nullptr;
    return kNoInterface;
  }
  uint32 PLUGIN_API addRef() override { return 1; }
  uint32 PLUGIN_API release() override { return 1; }

private:
  std::vector<uint8_t> bytes;
  size_t piece;
  size_t position = 0;
};

std::vector<uint8_t> SavedState(Quillwave& plugin)
{
  PieceStream stream(nullptr, 0, 0);
  FuzzCheck(plugin.getState(&stream) == kResultOk, "getState failed");
  return stream.Bytes();
}

void CheckCleanProcess(Quillwave& plugin)
{
  std::vector<double> in(kFuzzBlockFrames, 0.25);
  std::vector<double> outLeft(kFuzzBlockFrames), outRight(kFuzzBlockFrames);
  const double* inputs[2] = {in.data(), in.data()};
  double* outputs[2] = {outLeft.data(), outRight.data()};
  Vst3StereoBlock block(inputs, outputs, kFuzzBlockFrames);
  FuzzCheck(plugin.process(block.data) == kResultOk, "process failed");
  CheckFiniteBlock(outLeft.data(), outRight.data());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 1)
    return 0;
  FuzzPrivateHome();
  pluginhost::HostApplicationContext host;
  IPtr<Quillwave> plugin = owned(new Quillwave());
  FuzzCheck(plugin->initialize(&host) == kResultOk, "initialize failed");
  Vst::ProcessSetup setup{Vst::kRealtime, Vst::kSample64, kFuzzBlockFrames, 48000.0};
  FuzzCheck(plugin->setupProcessing(setup) == kResultOk, "setupProcessing failed");
  plugin->activateBus(Vst::kAudio, Vst::kInput, 0, true);
  plugin->activateBus(Vst::kAudio, Vst::kOutput, 0, true);
  plugin->setActive(true);

  PieceStream stream(data + 1, size - 1, data[0] % 16);
  const tresult restored = plugin->setState(&stream);
  FuzzCheck(restored == kResultOk || restored == kResultFalse, "setState answered neither ok nor false");
  CheckParametersInRange(*plugin);

  // The state the plug-in saves restores to itself.
  const std::vector<uint8_t> saved = SavedState(*plugin);
  PieceStream again(saved.data(), saved.size(), 0);
  FuzzCheck(plugin->setState(&again) == kResultOk, "the plug-in refused its own state");
  FuzzCheck(SavedState(*plugin) == saved, "a state the plug-in saved restored to another state");

  CheckCleanProcess(*plugin);
  plugin->setActive(false);
  plugin->terminate();
  return 0;
}
