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

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using namespace Steinberg;

namespace
{
std::vector<uint8_t> SavedState(Quillwave& plugin)
{
  pluginhost::ByteStream stream;
  FuzzCheck(plugin.getState(&stream) == kResultOk, "getState failed");
  return stream.bytes;
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
  pluginhost::HostApplication host{u"Quillwave Render Host"};
  IPtr<Quillwave> plugin = owned(new Quillwave());
  FuzzCheck(plugin->initialize(&host) == kResultOk, "initialize failed");
  Vst::ProcessSetup setup{Vst::kRealtime, Vst::kSample64, kFuzzBlockFrames, 48000.0};
  FuzzCheck(plugin->setupProcessing(setup) == kResultOk, "setupProcessing failed");
  plugin->activateBus(Vst::kAudio, Vst::kInput, 0, true);
  plugin->activateBus(Vst::kAudio, Vst::kOutput, 0, true);
  plugin->setActive(true);

  pluginhost::ByteStream stream(std::vector<uint8_t>(data + 1, data + size));
  stream.pieceSize = data[0] % 16;
  const tresult restored = plugin->setState(&stream);
  FuzzCheck(restored == kResultOk || restored == kResultFalse,
            "setState answered neither ok nor false");
  CheckParametersInRange(*plugin);

  // The state the plug-in saves restores to itself.
  const std::vector<uint8_t> saved = SavedState(*plugin);
  pluginhost::ByteStream again(saved);
  FuzzCheck(plugin->setState(&again) == kResultOk, "the plug-in refused its own state");
  FuzzCheck(SavedState(*plugin) == saved, "a state the plug-in saved restored to another state");

  CheckCleanProcess(*plugin);
  plugin->setActive(false);
  plugin->terminate();
  return 0;
}
