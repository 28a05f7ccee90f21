// A VST2 host restoring a program chunk (index 1) or a bank chunk (index 0)
// through the AEffect dispatcher's effSetChunk, as it does when it opens a
// song.
//
// Input: one byte (its lowest bit chooses the program chunk) and then the
// chunk.
#include "product/Quillwave.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzHome.h"
#include "vst2/Vst24Interface.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{
VstIntPtr VSTCALLBACK FuzzHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
  static VstTimeInfo time = [] {
    VstTimeInfo info{};
    info.sampleRate = 48000.0;
    info.tempo = 120.0;
    info.flags = kVstTempoValid;
    return info;
  }();
  switch (opcode)
  {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterGetTime:
      return reinterpret_cast<VstIntPtr>(&time);
    default:
      return 0;
  }
}

VstIntPtr Dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f)
{
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::vector<uint8_t> GetChunk(AEffect* effect, VstInt32 index)
{
  void* bytes = nullptr;
  const VstIntPtr size = Dispatch(effect, effGetChunk, index, 0, &bytes);
  FuzzCheck(size > 0 && bytes != nullptr, "effGetChunk gave no chunk");
  const auto* first = static_cast<const uint8_t*>(bytes);
  return std::vector<uint8_t>(first, first + size);
}

// As the module entry creates an instance: every program slot initialised.
AEffect* CreateEffect()
{
  auto* plugin = new Quillwave(IEffectVST2::HostContext{&FuzzHost});
  plugin->FillEmptyPresets("Empty", plugin->GetPresetCount());
  AEffect* effect = plugin->GetAEffect();
  Dispatch(effect, effOpen);
  Dispatch(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  Dispatch(effect, effSetBlockSize, 0, kFuzzBlockFrames);
  Dispatch(effect, effMainsChanged, 0, 1);
  return effect;
}

void CheckCleanProcess(AEffect* effect)
{
  std::vector<float> in(kFuzzBlockFrames, 0.25f);
  std::vector<float> outLeft(kFuzzBlockFrames), outRight(kFuzzBlockFrames);
  float* inputs[2] = {in.data(), in.data()};
  float* outputs[2] = {outLeft.data(), outRight.data()};
  effect->processReplacing(effect, inputs, outputs, kFuzzBlockFrames);
  CheckFiniteBlock(outLeft.data(), outRight.data());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 1)
    return 0;
  FuzzPrivateHome();
  AEffect* const effect = CreateEffect();
  const VstInt32 index = (data[0] & 1) != 0 ? 1 : 0;
  // The host's memory holds exactly the chunk, so reading past it is caught.
  std::vector<uint8_t> chunk(data + 1, data + size);
  const VstIntPtr accepted =
      Dispatch(effect, effSetChunk, index, static_cast<VstIntPtr>(chunk.size()),
               chunk.empty() ? nullptr : chunk.data());
  FuzzCheck(accepted == 0 || accepted == 1, "effSetChunk answered neither 0 nor 1");
  CheckParametersInRange(*static_cast<IEffectVST2*>(effect->object));

  // A chunk the plug-in wrote restores to the state it was written from.
  std::vector<uint8_t> saved = GetChunk(effect, index);
  FuzzCheck(
      Dispatch(effect, effSetChunk, index, static_cast<VstIntPtr>(saved.size()), saved.data()) == 1,
      "the plug-in refused its own chunk");
  const std::vector<uint8_t> again = GetChunk(effect, index);
  FuzzCheck(saved == again, "a chunk the plug-in wrote restored to another state");

  CheckCleanProcess(effect);
  Dispatch(effect, effClose);
  return 0;
}
