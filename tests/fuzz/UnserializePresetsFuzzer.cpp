// A program bank read into the framework's program slots with
// UnserializePresets. The effect has four slots and the product's 22
// parameter ranges, so that bank records of several slots are exercised.
//
// Input: the bank chunk.
#include "engine/EngineParameterTable.h"
#include "framework/IEffectBase.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace
{
constexpr int kSlots = 4;

IEffectConfig BankConfig()
{
  IEffectConfig config;
  config.parameterCount = kEngineNumParams;
  config.presetCount = kSlots;
  config.channelIO = "2-2";
  config.effectName = "Bank";
  return config;
}

// The host-facing operations answered locally; nothing is recorded, so
// memory stays flat however long the fuzzer runs.
class BankEffect final : public IEffectBase
{
public:
  BankEffect() : IEffectBase(BankConfig())
  {
    for (uint32_t i = 0; i < kEngineNumParams; ++i)
    {
      const EngineParamDefinition& definition = EngineParamDefinitionAt(i);
      GetParam(static_cast<int>(i))
          ->InitDouble(definition.name, definition.defaultValue, definition.min, definition.max,
                       0.00001);
    }
    CaptureInitPreset();
  }

  void BeginHostEdit(int) override {}
  void HostEdit(int, double) override {}
  void EndHostEdit(int) override {}
  void HostProgramChanged() override {}
  int32_t QuerySamplePosition() override { return 0; }
  double QueryTempo() override { return 120.0; }
  void QueryTimeSignature(int* numerator, int* denominator) override
  {
    *numerator = 4;
    *denominator = 4;
  }
  void QueryTransport(ITransportInfo*) override {}
  void ResizeEditor(int, int) override {}
  bool SendMidiMessage(const IMidiMessage*) override { return false; }
};

IStateChunk Serialized(BankEffect& effect)
{
  IStateChunk chunk;
  FuzzCheck(effect.SerializePresets(chunk), "SerializePresets failed");
  return chunk;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  auto effect = std::make_unique<BankEffect>();
  IStateChunk chunk;
  FuzzCheck(chunk.AppendBytes(data, static_cast<int32_t>(size)),
            "the chunk could not take the input");
  const int32_t next = effect->UnserializePresets(chunk, 0);
  FuzzCheck(next >= -1 && next <= chunk.Size(),
            "UnserializePresets returned a position outside the chunk");
  for (int i = 0; i < kSlots; ++i)
    FuzzCheck(std::memchr(effect->GetPresetName(i), '\0', IPresetSlot::kNameSize) != nullptr,
              "a slot name lost its terminator");
  CheckParametersInRange(*effect);

  // What the framework writes it must read back to the same slots. A name
  // stored empty reads back as the name before it (the reader carries names
  // over empty ones), so only non-empty names must come back as they were.
  const IStateChunk written = Serialized(*effect);
  auto restored = std::make_unique<BankEffect>();
  FuzzCheck(restored->UnserializePresets(written, 0) == written.Size(),
            "a written bank did not read back whole");
  for (int i = 0; i < kSlots; ++i)
  {
    const IPresetSlot& before = *effect->GetPresetSlot(i);
    const IPresetSlot& after = *restored->GetPresetSlot(i);
    FuzzCheck(before.initialised == after.initialised,
              "a slot's initialised flag did not read back");
    FuzzCheck(before.name[0] == '\0' || std::strcmp(before.name, after.name) == 0,
              "a slot name did not read back");
    if (before.initialised)
      FuzzCheck(before.state.Size() == after.state.Size() &&
                    std::memcmp(before.state.GetBytes(), after.state.GetBytes(),
                                static_cast<size_t>(before.state.Size())) == 0,
                "a slot's state did not read back");
  }
  return 0;
}
