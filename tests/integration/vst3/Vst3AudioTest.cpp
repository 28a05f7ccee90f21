// The module's audio against the engine called directly with the same
// parameter values: bit for bit in double precision, within single-precision
// rounding in the float path.
#include "tests/integration/vst3/Vst3ModuleHost.h"

#include "engine/Engine.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using vst3test::StereoBlock;
using vst3test::Vst3Instance;

namespace
{
constexpr ParamID kBypass = 0x62706173;
constexpr int kBlock = 512;
constexpr int kBlocks = 6;
constexpr int kTempoIndex = 2;
constexpr int kPresetSelectorIndex = 19;

// Normalised host values; every one of these parameters spans 0 to 1, so the
// plain value is the normalised one.
const std::pair<ParamID, double> kSound[] = {
    {0, 0.25},    // FilterTone
    {4, 1.0},     // MainFxOffOn
    {7, 0.75},    // MainOutputBlend
    {11, 0.375},  // QuillwaveCenter
    {12, 0.625},  // QuillwaveFeedback
    {13, 1.0},    // QuillwaveMode: flanger
    {14, 0.875},  // QuillwaveRate
    {20, 0.5},    // SaturationGain
};

// A deterministic test signal: two detuned tones and a little noise.
double Signal(int channel, int t)
{
  static uint32_t seed = 12345;
  seed = seed * 1664525u + 1013904223u;
  const double noise = (static_cast<double>(seed >> 8) / 16777216.0 - 0.5) * 0.05;
  return 0.4 * std::sin(0.013 * t * (1 + channel)) + 0.3 * std::sin(0.0021 * t) + noise;
}

// The engine as the plug-in drives it: created at the framework's first
// rate, reset for the host's rate with the plug-in's values applied again.
class Reference
{
public:
  Reference() : engine(EngineCreate(44100.0)) {}

  void Reset(double sampleRate)
  {
    engine->sampleRate = sampleRate;
    EngineReset(engine.get(), sampleRate, engine->vectorSize);
    for (const auto& [id, value] : applied)
      EngineSetParameter(engine.get(), id, value);
    EngineSetParameter(engine.get(), kPresetSelectorIndex, 0.0);
  }

  void Set(uint32_t index, double value)
  {
    applied.emplace_back(index, value);
    EngineSetParameter(engine.get(), index, value);
  }

  void Perform(double tempo, double* const* inputs, double* const* outputs, int frames)
  {
    EngineSetParameter(engine.get(), kTempoIndex, tempo);
    EnginePerform(engine.get(), inputs[0], inputs[1], outputs[0], outputs[1], frames);
  }

private:
  std::unique_ptr<EngineState, EngineStateDeleter> engine;
  std::vector<std::pair<uint32_t, double>> applied;
};

// One block through the module with the sound's parameters on the first block.
template <typename Sample>
void ProcessBlock(Vst3Instance& plugin, StereoBlock<Sample>& block, bool first, double tempo,
                  pluginhost::EventList* events = nullptr)
{
  pluginhost::ParameterChanges changes;
  if (first)
  {
    for (const auto& [id, value] : kSound)
      changes.Add(id, value);
  }
  ProcessContext context = {};
  context.tempo = tempo;
  context.sampleRate = 48000.0;
  AudioBusBuffers buses[2];
  ProcessData data = vst3test::MakeProcessData(block, buses);
  data.inputParameterChanges = &changes;
  data.processContext = &context;
  data.inputEvents = events;
  ASSERT_EQ(plugin.processor->process(data), kResultOk);
}

void Fill(double (&in)[2][kBlock], int blockIndex)
{
  for (int t = 0; t < kBlock; ++t)
    for (int c = 0; c < 2; ++c)
      in[c][t] = Signal(c, blockIndex * kBlock + t);
}

TEST(Vst3Audio, DoublePathIsBitExactWithTheEngine)
{
  Vst3Instance plugin;
  plugin.Start(kSample64, 48000.0, kBlock);
  Reference reference;
  reference.Reset(48000.0);
  for (const auto& [id, value] : kSound)
    reference.Set(id, value);

  // Notes on channel 1 reach the plug-in, which acts on controllers only.
  pluginhost::EventList notes;
  notes.AddNoteOn(10, 0, 60, 0.8f);
  notes.AddNoteOff(300, 0, 60);

  double expectedOut[2][kBlock];
  double* expected[2] = {expectedOut[0], expectedOut[1]};
  double source[2][kBlock];
  double largestChange = 0.0;
  for (int b = 0; b < kBlocks; ++b)
  {
    Fill(source, b);
    StereoBlock<double> block(kBlock);
    for (int c = 0; c < 2; ++c)
      std::copy(source[c], source[c] + kBlock, block.in[c].begin());
    const double tempo = b < 3 ? 96.0 : 1500.0;  // beyond the range: limited to 1000
    ProcessBlock(plugin, block, b == 0, tempo, &notes);
    double* inputs[2] = {source[0], source[1]};
    reference.Perform(tempo, inputs, expected, kBlock);
    for (int c = 0; c < 2; ++c)
      for (int t = 0; t < kBlock; ++t)
      {
        ASSERT_EQ(block.out[c][t], expectedOut[c][t])
            << "block " << b << " channel " << c << " frame " << t;
        largestChange = std::max(largestChange, std::fabs(block.out[c][t] - source[c][t]));
      }
  }
  EXPECT_GT(largestChange, 0.01);  // the effect is audible, not a pass-through
  EXPECT_DOUBLE_EQ(plugin.controller->getParamNormalized(kTempoIndex), 1.0);
}

TEST(Vst3Audio, FloatPathMatchesWithinSinglePrecision)
{
  Vst3Instance plugin;
  plugin.Start(kSample32, 48000.0, kBlock);
  Reference reference;
  reference.Reset(48000.0);
  for (const auto& [id, value] : kSound)
    reference.Set(id, value);

  double source[2][kBlock];
  double expectedOut[2][kBlock];
  double* expected[2] = {expectedOut[0], expectedOut[1]};
  for (int b = 0; b < kBlocks; ++b)
  {
    Fill(source, b);
    StereoBlock<float> block(kBlock);
    for (int c = 0; c < 2; ++c)
      for (int t = 0; t < kBlock; ++t)
      {
        block.in[c][t] = static_cast<float>(source[c][t]);
        source[c][t] = block.in[c][t];  // the engine sees what the host sent
      }
    ProcessBlock(plugin, block, b == 0, 120.0);
    double* inputs[2] = {source[0], source[1]};
    reference.Perform(120.0, inputs, expected, kBlock);
    for (int c = 0; c < 2; ++c)
      for (int t = 0; t < kBlock; ++t)
        ASSERT_NEAR(block.out[c][t], expectedOut[c][t],
                    FLT_EPSILON * std::max(1.0, std::fabs(expectedOut[c][t])))
            << "block " << b << " channel " << c << " frame " << t;
  }
}

TEST(Vst3Audio, SampleRateChangeResetsTheEngineAndKeepsTheValues)
{
  Vst3Instance plugin;
  plugin.Start(kSample64, 48000.0, kBlock);
  double source[2][kBlock];
  Fill(source, 0);
  StereoBlock<double> warmUp(kBlock);
  ProcessBlock(plugin, warmUp, true, 120.0);

  plugin.component->setActive(false);
  plugin.Start(kSample64, 96000.0, kBlock);
  Reference reference;
  for (const auto& [id, value] : kSound)
    reference.Set(id, value);
  reference.Reset(96000.0);

  double expectedOut[2][kBlock];
  double* expected[2] = {expectedOut[0], expectedOut[1]};
  for (int b = 0; b < 3; ++b)
  {
    Fill(source, b);
    StereoBlock<double> block(kBlock);
    for (int c = 0; c < 2; ++c)
      std::copy(source[c], source[c] + kBlock, block.in[c].begin());
    ProcessBlock(plugin, block, false, 120.0);
    double* inputs[2] = {source[0], source[1]};
    reference.Perform(120.0, inputs, expected, kBlock);
    for (int c = 0; c < 2; ++c)
      for (int t = 0; t < kBlock; ++t)
        ASSERT_EQ(block.out[c][t], expectedOut[c][t]) << "block " << b << " frame " << t;
  }
}

TEST(Vst3Audio, BypassPassesTheInputUnchanged)
{
  Vst3Instance plugin;
  plugin.Start(kSample64, 48000.0, kBlock);
  StereoBlock<double> block(kBlock);
  for (int c = 0; c < 2; ++c)
    for (int t = 0; t < kBlock; ++t)
      block.in[c][t] = Signal(c, t);
  pluginhost::ParameterChanges changes;
  changes.Add(4, 1.0);  // the effect switched on, then bypassed by the host
  changes.Add(kBypass, 1.0);
  AudioBusBuffers buses[2];
  ProcessData data = vst3test::MakeProcessData(block, buses);
  data.inputParameterChanges = &changes;
  ASSERT_EQ(plugin.processor->process(data), kResultOk);
  EXPECT_EQ(block.out[0], block.in[0]);
  EXPECT_EQ(block.out[1], block.in[1]);
}

// A host restores a bypassed song, then sets the plug-in up again (another
// rate, offline rendering): it still shows it bypassed, and so it must sound.
TEST(Vst3Audio, RestoredBypassOutlastsANewSetup)
{
  Vst3Instance plugin;
  plugin.Start(kSample64, 48000.0, kBlock);
  pluginhost::ByteStream saved;
  ASSERT_EQ(plugin.component->getState(&saved), kResultOk);
  std::vector<uint8_t> bytes = saved.bytes;
  ASSERT_EQ(bytes.size(), 180u);
  const double effectOn = 1.0;
  std::memcpy(&bytes[8 * 4], &effectOn, sizeof effectOn);  // MainFxOffOn
  bytes[176] = 1;                                          // the bypass flag
  pluginhost::ByteStream bypassed(bytes);
  ASSERT_EQ(plugin.component->setState(&bypassed), kResultOk);

  plugin.component->setActive(false);
  plugin.Start(kSample64, 96000.0, kBlock);
  StereoBlock<double> block(kBlock);
  for (int c = 0; c < 2; ++c)
    for (int t = 0; t < kBlock; ++t)
      block.in[c][t] = Signal(c, t);
  AudioBusBuffers buses[2];
  ProcessData data = vst3test::MakeProcessData(block, buses);
  ASSERT_EQ(plugin.processor->process(data), kResultOk);
  EXPECT_EQ(block.out[0], block.in[0]);
  EXPECT_EQ(block.out[1], block.in[1]);
  EXPECT_EQ(plugin.controller->getParamNormalized(kBypass), 1.0);
}

TEST(Vst3Audio, InactiveOutputBusKeepsTheHostBuffersUntouched)
{
  Vst3Instance plugin;
  plugin.Start(kSample32, 48000.0, kBlock, false);
  StereoBlock<float> block(kBlock, 0.625f);
  for (int c = 0; c < 2; ++c)
    for (int t = 0; t < kBlock; ++t)
      block.in[c][t] = static_cast<float>(Signal(c, t));
  ProcessBlock(plugin, block, true, 120.0);
  for (int c = 0; c < 2; ++c)
    for (int t = 0; t < kBlock; ++t)
      ASSERT_EQ(block.out[c][t], 0.625f);
}
}  // namespace
