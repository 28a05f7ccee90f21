// Loads the built VST2 module the way a host does, through VSTPluginMain, and drives
// Quillwave through the AEffect record alone.

#include "engine/Engine.h"
#include "engine/EngineTail.h"
#include "tests/integration/ExpectedParameters.h"
#include "tests/product/TemporaryHome.h"
#include "tests/vst2/TestHost.h"
#include "tools/pluginhost/SharedLibrary.h"
#include "vst2/Vst24Interface.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

using EntryPoint = AEffect* (*)(audioMasterCallback);

constexpr int kMainFxOffOn = 4;
constexpr int kMainOutputVolume = 8;
constexpr int kQuillwaveRate = 14;
constexpr int kHostTempoBpm = 2;
constexpr int kFilterTone = 0;

// Stereo test audio: two detuned saws and a little noise, different on each side.
std::array<std::vector<double>, 2> TestSignal(int frames)
{
  std::array<std::vector<double>, 2> signal;
  uint32_t noise = 12345;
  for (int c = 0; c < 2; ++c)
  {
    signal[c].resize(static_cast<size_t>(frames));
    for (int t = 0; t < frames; ++t)
    {
      noise = noise * 1664525u + 1013904223u;
      const double saw = std::fmod(t * (0.01 + 0.003 * c), 1.0) * 2.0 - 1.0;
      signal[c][static_cast<size_t>(t)] = 0.4 * saw + 0.05 * (noise / 4294967296.0 - 0.5);
    }
  }
  return signal;
}

// The engine driven directly, the way the plug-in drives it: created at the framework's
// initial 44100 Hz, reset for the host's rate, given the plug-in's values, and told the
// host tempo before every block.
class ReferenceEngine
{
public:
  explicit ReferenceEngine(double sampleRate) : state(EngineCreate(44100.0))
  {
    EngineReset(state.get(), sampleRate, state->vectorSize);
    for (uint32_t i = 0; i < kExpectedParameters.size(); ++i)
    {
      EngineSetParameter(state.get(), i, kExpectedParameters[i].defaultValue);
    }
  }

  void Set(int index, double plain) { EngineSetParameter(state.get(), index, plain); }

  void Process(const double* left, const double* right, double* outLeft, double* outRight,
               int frames, double tempo)
  {
    state->paramValues[kHostTempoBpm] = tempo;
    EnginePerform(state.get(), left, right, outLeft, outRight, frames);
  }

private:
  std::unique_ptr<EngineState, EngineStateDeleter> state;
};

class Vst2Module : public ::testing::Test
{
protected:
  static void SetUpTestSuite()
  {
    home = std::make_unique<TemporaryHome>();
    library = std::make_unique<SharedLibrary>();
    std::string error;
    if (!library->Open(QUILLWAVE_VST2_MODULE, error))
      library.reset();
    ASSERT_TRUE(library) << error;
  }

  static void TearDownTestSuite()
  {
    library.reset();
    home.reset();
  }

  void SetUp() override
  {
    ASSERT_TRUE(library);
    host.hasTime = true;
    host.time.flags = kVstTempoValid;
    host.time.tempo = kTempo;
    effect = Create();
    ASSERT_NE(effect, nullptr);
  }

  void TearDown() override
  {
    for (AEffect* instance : instances)
      Dispatch(instance, effClose);
  }

  AEffect* Create(const char* entry = "VSTPluginMain")
  {
    const auto main = reinterpret_cast<EntryPoint>(library->Symbol(entry));
    if (!main)
      return nullptr;
    AEffect* instance = main(&TestHost::Callback);
    if (instance)
      instances.push_back(instance);
    return instance;
  }

  // The start-up sequence of a host.
  static void Start(AEffect* instance, float sampleRate, int blockSize)
  {
    Dispatch(instance, effOpen);
    Dispatch(instance, effSetSampleRate, 0, 0, nullptr, sampleRate);
    Dispatch(instance, effSetBlockSize, 0, blockSize);
    Dispatch(instance, effMainsChanged, 0, 1);
  }

  static std::string Text(AEffect* instance, VstInt32 opcode, VstInt32 index)
  {
    char text[256] = {};
    Dispatch(instance, opcode, index, 0, text);
    return text;
  }

  static std::vector<uint8_t> Chunk(AEffect* instance, VstInt32 index)
  {
    void* data = nullptr;
    const VstIntPtr size = Dispatch(instance, effGetChunk, index, 0, &data);
    if (size <= 0 || !data)
      return {};
    return std::vector<uint8_t>(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
  }

  static void SendController(AEffect* instance, uint8_t status, uint8_t controller, uint8_t value,
                             VstInt32 offset = 0)
  {
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = offset;
    event.midiData[0] = static_cast<char>(status);
    event.midiData[1] = static_cast<char>(controller);
    event.midiData[2] = static_cast<char>(value);
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&event);
    ASSERT_EQ(Dispatch(instance, effProcessEvents, 0, 0, &events), 1);
  }

  // Runs `signal` through processReplacing in blocks; returns the float output.
  static std::array<std::vector<float>, 2> ProcessFloat(AEffect* instance,
                                                        const std::array<std::vector<float>, 2>& in,
                                                        int block, bool accumulate = false,
                                                        float prefill = 0.0f)
  {
    const int frames = static_cast<int>(in[0].size());
    std::array<std::vector<float>, 2> out{std::vector<float>(in[0].size(), prefill),
                                          std::vector<float>(in[0].size(), prefill)};
    for (int start = 0; start < frames; start += block)
    {
      const int count = std::min(block, frames - start);
      float* inputs[2] = {const_cast<float*>(in[0].data()) + start,
                          const_cast<float*>(in[1].data()) + start};
      float* outputs[2] = {out[0].data() + start, out[1].data() + start};
      (accumulate ? instance->process : instance->processReplacing)(instance, inputs, outputs,
                                                                    count);
    }
    return out;
  }

  static constexpr double kTempo = 97.0;
  static std::unique_ptr<TemporaryHome> home;
  static std::unique_ptr<SharedLibrary> library;

  TestHost host;
  AEffect* effect = nullptr;
  std::vector<AEffect*> instances;
};

std::unique_ptr<TemporaryHome> Vst2Module::home;
std::unique_ptr<SharedLibrary> Vst2Module::library;

TEST_F(Vst2Module, BothEntryPointsCreateAnInstance)
{
  AEffect* legacy = Create("main");
  ASSERT_NE(legacy, nullptr);
  EXPECT_NE(legacy, effect);
  EXPECT_EQ(legacy->magic, kEffectMagic);
  EXPECT_EQ(Text(legacy, effGetEffectName, 0), "Quillwave");
}

TEST_F(Vst2Module, DescribesQuillwave)
{
  EXPECT_EQ(effect->magic, 0x56737450);
  EXPECT_EQ(effect->numParams, 22);
  EXPECT_EQ(effect->numPrograms, 1);
  EXPECT_EQ(effect->numInputs, 2);
  EXPECT_EQ(effect->numOutputs, 2);
  EXPECT_EQ(effect->flags & ~effFlagsHasEditor, 0x1010);
  // The editor flag and the editor rectangle agree.
  ERect* rect = nullptr;
  const bool hasEditor = (effect->flags & effFlagsHasEditor) != 0;
  EXPECT_EQ(Dispatch(effect, effEditGetRect, 0, 0, &rect), hasEditor ? 1 : 0);
  EXPECT_EQ(effect->uniqueID, 0x50717736);
  EXPECT_EQ(effect->version, 10002);
  EXPECT_EQ(effect->initialDelay, 0);

  EXPECT_EQ(Text(effect, effGetEffectName, 0), "Quillwave");
  EXPECT_EQ(Text(effect, effGetVendorString, 0), "PleoAudio");
  EXPECT_EQ(Text(effect, effGetProductString, 0), "Quillwave");
  EXPECT_EQ(Dispatch(effect, effGetVendorVersion), 10002);
  EXPECT_EQ(Dispatch(effect, effGetVstVersion), 2400);
  EXPECT_EQ(Dispatch(effect, effGetPlugCategory), kPlugCategEffect);
  char midi[] = "receiveVstMidiEvent";
  EXPECT_EQ(Dispatch(effect, effCanDo, 0, 0, midi), 1);
}

// The tail covers the feedback's ringing at the host's rate, read when the host activates.
TEST_F(Vst2Module, TailFollowsTheSampleRate)
{
  for (float rate : {44100.0f, 96000.0f})
  {
    Dispatch(effect, effSetSampleRate, 0, 0, nullptr, rate);
    Dispatch(effect, effMainsChanged, 0, 1);
    EXPECT_EQ(Dispatch(effect, effGetTailSize), EngineTailSamples(rate)) << rate;
    Dispatch(effect, effMainsChanged, 0, 0);
  }
}

TEST_F(Vst2Module, ParametersAsAHostEnumeratesThem)
{
  for (int i = 0; i < effect->numParams; ++i)
  {
    const ExpectedParameter& row = kExpectedParameters[static_cast<size_t>(i)];
    EXPECT_EQ(Text(effect, effGetParamName, i), row.name) << i;
    EXPECT_EQ(Text(effect, effGetParamDisplay, i), row.display) << i;
    EXPECT_EQ(Text(effect, effGetParamLabel, i), "") << i;
    const double normalized = (row.defaultValue - row.min) / (row.max - row.min);
    EXPECT_FLOAT_EQ(effect->getParameter(effect, i), static_cast<float>(normalized)) << i;
    EXPECT_EQ(Dispatch(effect, effCanBeAutomated, i), 1);
  }
  EXPECT_EQ(Text(effect, effGetParamName, 22), "");
  EXPECT_EQ(effect->getParameter(effect, 22), 0.0f);
}

TEST_F(Vst2Module, SetGetAndTypeInParameters)
{
  effect->setParameter(effect, kFilterTone, 0.25f);
  EXPECT_EQ(effect->getParameter(effect, kFilterTone), 0.25f);
  EXPECT_EQ(Text(effect, effGetParamDisplay, kFilterTone), "0.25000");

  char tempo[] = "140";
  EXPECT_EQ(Dispatch(effect, effString2Parameter, kHostTempoBpm, 0, tempo), 1);
  EXPECT_EQ(Text(effect, effGetParamDisplay, kHostTempoBpm), "140.00000");

  // The next block overwrites the typed tempo with the host's.
  Start(effect, 44100.0f, 64);
  std::array<std::vector<float>, 2> silence{std::vector<float>(64), std::vector<float>(64)};
  ProcessFloat(effect, silence, 64);
  EXPECT_EQ(Text(effect, effGetParamDisplay, kHostTempoBpm), "97.00000");

  char vendor[64] = {};
  EXPECT_EQ(Dispatch(effect, effVendorSpecific, 7, kQuillwaveRate, vendor, 0.75f), 0xBEEF);
  EXPECT_STREQ(vendor, "0.75000");
  EXPECT_EQ(Dispatch(effect, effVendorSpecific, 8, kQuillwaveRate), 0);
}

TEST_F(Vst2Module, ProgramListHoldsInit)
{
  char name[kVstMaxProgNameLen] = {};
  EXPECT_EQ(Dispatch(effect, effGetProgramNameIndexed, 0, 0, name), 1);
  EXPECT_STREQ(name, "Init");
  EXPECT_EQ(Dispatch(effect, effGetProgramNameIndexed, 1, 0, name), 0);
  EXPECT_EQ(Dispatch(effect, effGetProgram), 0);
  EXPECT_EQ(Text(effect, effGetProgramName, 0), "Init");

  effect->setParameter(effect, kFilterTone, 0.75f);
  Dispatch(effect, effSetProgram, 0, 0);  // the leaving program keeps the current values
  EXPECT_EQ(effect->getParameter(effect, kFilterTone), 0.75f);
  char rename[] = "Wide";
  Dispatch(effect, effSetProgramName, 0, 0, rename);
  EXPECT_EQ(Text(effect, effGetProgramName, 0), "Wide");
}

TEST_F(Vst2Module, ProgramChunkRoundTripsByteForByte)
{
  effect->setParameter(effect, kFilterTone, 0.25f);
  effect->setParameter(effect, kMainFxOffOn, 1.0f);
  effect->setParameter(effect, 6, 2.0f / 3.0f);
  const std::vector<uint8_t> saved = Chunk(effect, 1);
  ASSERT_EQ(saved.size(), 184u);
  const uint8_t header[] = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  EXPECT_EQ(std::memcmp(saved.data(), header, sizeof(header)), 0);
  double tone = 0.0;
  std::memcpy(&tone, saved.data() + 8, sizeof(tone));
  EXPECT_EQ(tone, 0.25);
  double tempo = 0.0;
  std::memcpy(&tempo, saved.data() + 8 + 8 * kHostTempoBpm, sizeof(tempo));
  EXPECT_EQ(tempo, 120.0);

  effect->setParameter(effect, kFilterTone, 0.9f);
  effect->setParameter(effect, kMainFxOffOn, 0.0f);
  effect->setParameter(effect, 6, 0.0f);
  EXPECT_EQ(Dispatch(effect, effSetChunk, 1, static_cast<VstIntPtr>(saved.size()),
                     const_cast<uint8_t*>(saved.data())),
            1);
  EXPECT_EQ(effect->getParameter(effect, kFilterTone), 0.25f);
  EXPECT_EQ(effect->getParameter(effect, kMainFxOffOn), 1.0f);
  EXPECT_EQ(Chunk(effect, 1), saved);

  // Another instance restored from the same bytes saves the same bytes.
  AEffect* other = Create();
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(Dispatch(other, effSetChunk, 1, static_cast<VstIntPtr>(saved.size()),
                     const_cast<uint8_t*>(saved.data())),
            1);
  EXPECT_EQ(Chunk(other, 1), saved);
}

TEST_F(Vst2Module, BankChunkRoundTrips)
{
  effect->setParameter(effect, kQuillwaveRate, 0.125f);
  const std::vector<uint8_t> bank = Chunk(effect, 0);
  // Header, then one program: name length, "Init", the initialised flag, 176 bytes.
  ASSERT_EQ(bank.size(), 8u + 4u + 4u + 1u + 176u);
  EXPECT_EQ(std::memcmp(bank.data() + 8, "\x04\x00\x00\x00Init\x01", 9), 0);

  effect->setParameter(effect, kQuillwaveRate, 0.5f);
  EXPECT_EQ(Dispatch(effect, effSetChunk, 0, static_cast<VstIntPtr>(bank.size()),
                     const_cast<uint8_t*>(bank.data())),
            1);
  EXPECT_EQ(effect->getParameter(effect, kQuillwaveRate), 0.125f);
  EXPECT_EQ(Chunk(effect, 0), bank);
}

TEST_F(Vst2Module, MidiControllersOnChannelOneMoveTheirParameters)
{
  Start(effect, 44100.0f, 512);
  std::array<std::vector<float>, 2> block{std::vector<float>(512), std::vector<float>(512)};

  SendController(effect, 0xB1, 7, 127);  // channel 2: ignored
  ProcessFloat(effect, block, 512);
  EXPECT_EQ(effect->getParameter(effect, kMainOutputVolume), 0.5f);

  SendController(effect, 0xB0, 7, 127);
  SendController(effect, 0xB0, 14, 0, 700);  // FilterTone, due in the next block
  SendController(effect, 0xB0, 4, 127);      // not mapped
  ProcessFloat(effect, block, 512);
  EXPECT_EQ(effect->getParameter(effect, kMainOutputVolume), 1.0f);
  EXPECT_EQ(effect->getParameter(effect, kFilterTone), 0.5f);
  EXPECT_EQ(effect->getParameter(effect, kHostTempoBpm), static_cast<float>(kTempo / 1000.0));

  ProcessFloat(effect, block, 512);
  EXPECT_EQ(effect->getParameter(effect, kFilterTone), 0.0f);
}

TEST_F(Vst2Module, DoublePathIsBitExactAgainstTheEngine)
{
  constexpr int kBlock = 256;
  constexpr int kFrames = 8 * kBlock + 100;
  Start(effect, 48000.0f, kBlock);
  effect->setParameter(effect, kMainFxOffOn, 1.0f);

  ReferenceEngine reference(48000.0);
  reference.Set(kMainFxOffOn, 1.0);

  const std::array<std::vector<double>, 2> in = TestSignal(kFrames);
  std::array<std::vector<double>, 2> out{std::vector<double>(kFrames),
                                         std::vector<double>(kFrames)};
  std::array<std::vector<double>, 2> expected = out;
  for (int start = 0; start < kFrames; start += kBlock)
  {
    const int count = std::min(kBlock, kFrames - start);
    double* inputs[2] = {const_cast<double*>(in[0].data()) + start,
                         const_cast<double*>(in[1].data()) + start};
    double* outputs[2] = {out[0].data() + start, out[1].data() + start};
    effect->processDoubleReplacing(effect, inputs, outputs, count);
    reference.Process(inputs[0], inputs[1], expected[0].data() + start, expected[1].data() + start,
                      count, kTempo);
  }

  double difference = 0.0;
  for (int c = 0; c < 2; ++c)
  {
    for (int t = 0; t < kFrames; ++t)
    {
      const size_t i = static_cast<size_t>(t);
      ASSERT_EQ(out[c][i], expected[c][i]) << "channel " << c << " frame " << t;
      difference = std::max(difference, std::abs(out[c][i] - in[c][i]));
    }
  }
  EXPECT_GT(difference, 0.01);  // the effect really ran
}

TEST_F(Vst2Module, FloatPathMatchesTheEngineWithinSinglePrecision)
{
  constexpr int kBlock = 512;
  constexpr int kFrames = 4 * kBlock;
  Start(effect, 44100.0f, kBlock);
  effect->setParameter(effect, kMainFxOffOn, 1.0f);
  effect->setParameter(effect, kQuillwaveRate, 0.8f);

  ReferenceEngine reference(44100.0);
  reference.Set(kMainFxOffOn, 1.0);
  reference.Set(kQuillwaveRate, 0.8f);

  const std::array<std::vector<double>, 2> signal = TestSignal(kFrames);
  std::array<std::vector<float>, 2> in;
  std::array<std::vector<double>, 2> widened;
  for (int c = 0; c < 2; ++c)
  {
    in[c].assign(signal[c].begin(), signal[c].end());
    widened[c].assign(in[c].begin(), in[c].end());
  }
  const std::array<std::vector<float>, 2> out = ProcessFloat(effect, in, kBlock);

  std::array<std::vector<double>, 2> expected{std::vector<double>(kFrames),
                                              std::vector<double>(kFrames)};
  for (int start = 0; start < kFrames; start += kBlock)
  {
    reference.Process(widened[0].data() + start, widened[1].data() + start,
                      expected[0].data() + start, expected[1].data() + start, kBlock, kTempo);
  }
  for (int c = 0; c < 2; ++c)
  {
    for (int t = 0; t < kFrames; ++t)
    {
      const double want = expected[c][static_cast<size_t>(t)];
      // Half a unit in the last place of a float near `want`.
      const double rounding = std::abs(want) * std::ldexp(1.0, -24) + 1e-45;
      ASSERT_NEAR(out[c][static_cast<size_t>(t)], want, rounding) << c << " " << t;
    }
  }
}

TEST_F(Vst2Module, ProcessAccumulatesIntoTheHostBuffer)
{
  AEffect* replacing = Create();
  ASSERT_NE(replacing, nullptr);
  for (AEffect* instance : {effect, replacing})
  {
    Start(instance, 44100.0f, 256);
    instance->setParameter(instance, kMainFxOffOn, 1.0f);
  }
  const std::array<std::vector<double>, 2> signal = TestSignal(1024);
  std::array<std::vector<float>, 2> in;
  for (int c = 0; c < 2; ++c)
    in[c].assign(signal[c].begin(), signal[c].end());

  const auto accumulated = ProcessFloat(effect, in, 256, true, 0.25f);
  const auto replaced = ProcessFloat(replacing, in, 256);
  for (int c = 0; c < 2; ++c)
  {
    for (size_t t = 0; t < in[c].size(); ++t)
    {
      ASSERT_EQ(accumulated[c][t], 0.25f + replaced[c][t]) << c << " " << t;
    }
  }
}

TEST_F(Vst2Module, SampleRateChangeResetsTheEngineWithThePluginsValues)
{
  constexpr int kBlock = 400;
  Start(effect, 44100.0f, kBlock);
  effect->setParameter(effect, kMainFxOffOn, 1.0f);
  effect->setParameter(effect, kQuillwaveRate, 0.3f);
  const std::array<std::vector<float>, 2> warmUp = {std::vector<float>(kBlock, 0.1f),
                                                    std::vector<float>(kBlock, -0.1f)};
  ProcessFloat(effect, warmUp, kBlock);

  Dispatch(effect, effSetSampleRate, 0, 0, nullptr, 96000.0f);
  ReferenceEngine reference(96000.0);
  reference.Set(kMainFxOffOn, 1.0);
  reference.Set(kQuillwaveRate, 0.3f);

  const std::array<std::vector<double>, 2> in = TestSignal(3 * kBlock);
  std::array<std::vector<double>, 2> out{std::vector<double>(3 * kBlock),
                                         std::vector<double>(3 * kBlock)};
  std::array<std::vector<double>, 2> expected = out;
  for (int start = 0; start < 3 * kBlock; start += kBlock)
  {
    double* inputs[2] = {const_cast<double*>(in[0].data()) + start,
                         const_cast<double*>(in[1].data()) + start};
    double* outputs[2] = {out[0].data() + start, out[1].data() + start};
    effect->processDoubleReplacing(effect, inputs, outputs, kBlock);
    reference.Process(inputs[0], inputs[1], expected[0].data() + start, expected[1].data() + start,
                      kBlock, kTempo);
  }
  EXPECT_EQ(out, expected);
  // The oscillator really runs at the new rate: the 44100 Hz engine sounds different.
  ReferenceEngine stale(44100.0);
  stale.Set(kMainFxOffOn, 1.0);
  stale.Set(kQuillwaveRate, 0.3f);
  std::array<std::vector<double>, 2> other = out;
  for (int start = 0; start < 3 * kBlock; start += kBlock)
  {
    stale.Process(in[0].data() + start, in[1].data() + start, other[0].data() + start,
                  other[1].data() + start, kBlock, kTempo);
  }
  EXPECT_NE(other, out);
}

}  // namespace
