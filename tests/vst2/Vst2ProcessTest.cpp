#include "tests/vst2/TestHost.h"
#include "tests/vst2/TestPlugin.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace
{

// Two channels of host audio in one precision.
template <typename Sample>
struct StereoBuffers
{
  explicit StereoBuffers(int frames, Sample fill = 0)
      : left(static_cast<size_t>(frames), fill), right(static_cast<size_t>(frames), fill)
  {
  }
  Sample** Pointers()
  {
    pointers = {left.data(), right.data()};
    return pointers.data();
  }
  std::vector<Sample>& Channel(int c) { return c == 0 ? left : right; }

  std::vector<Sample> left;
  std::vector<Sample> right;
  std::array<Sample*, 2> pointers{};
};

// A ramp that is exact in single precision, different on each channel.
template <typename Sample>
StereoBuffers<Sample> Ramp(int frames)
{
  StereoBuffers<Sample> buffers(frames);
  for (int t = 0; t < frames; ++t)
  {
    buffers.left[static_cast<size_t>(t)] = static_cast<Sample>(t) / 64;
    buffers.right[static_cast<size_t>(t)] = -static_cast<Sample>(t) / 32;
  }
  return buffers;
}

class Vst2Process : public ::testing::Test
{
protected:
  TestHost host;
  TestPlugin plug{IEffectVST2::HostContext{&TestHost::Callback}};
  AEffect* effect = plug.GetAEffect();
};

TEST_F(Vst2Process, ReplacingIsTheDoubleResultInSinglePrecision)
{
  constexpr int kFrames = 100;
  StereoBuffers<float> in = Ramp<float>(kFrames);
  StereoBuffers<float> out(kFrames, 123.0f);
  effect->processReplacing(effect, in.Pointers(), out.Pointers(), kFrames);
  for (int c = 0; c < 2; ++c)
  {
    for (int t = 0; t < kFrames; ++t)
    {
      const double input = in.Channel(c)[static_cast<size_t>(t)];
      ASSERT_EQ(out.Channel(c)[static_cast<size_t>(t)],
                static_cast<float>(TestPlugin::Expected(input, c)));
    }
  }
  EXPECT_EQ(plug.blocks, (std::vector<int>{kFrames}));
  EXPECT_EQ(host.Count(audioMasterWantMidi), 1);
}

TEST_F(Vst2Process, ProcessAddsToWhatTheHostBufferHolds)
{
  constexpr int kFrames = 64;
  StereoBuffers<float> in = Ramp<float>(kFrames);
  StereoBuffers<float> out(kFrames, 0.5f);
  effect->process(effect, in.Pointers(), out.Pointers(), kFrames);
  for (int c = 0; c < 2; ++c)
  {
    for (int t = 0; t < kFrames; ++t)
    {
      const double input = in.Channel(c)[static_cast<size_t>(t)];
      ASSERT_EQ(out.Channel(c)[static_cast<size_t>(t)],
                0.5f + static_cast<float>(TestPlugin::Expected(input, c)));
    }
  }
}

TEST_F(Vst2Process, DoubleReplacingWritesTheHostBuffersDirectly)
{
  constexpr int kFrames = 77;
  StereoBuffers<double> in = Ramp<double>(kFrames);
  in.left[5] = 1.0 / 7.0;  // not representable in single precision
  StereoBuffers<double> out(kFrames);
  effect->processDoubleReplacing(effect, in.Pointers(), out.Pointers(), kFrames);
  for (int c = 0; c < 2; ++c)
  {
    for (int t = 0; t < kFrames; ++t)
    {
      ASSERT_EQ(out.Channel(c)[static_cast<size_t>(t)],
                TestPlugin::Expected(in.Channel(c)[static_cast<size_t>(t)], c));
    }
  }
}

TEST_F(Vst2Process, BlocksLongerThanTheBlockSizeAreProcessedInPieces)
{
  Dispatch(effect, effSetBlockSize, 0, 64);
  constexpr int kFrames = 200;
  StereoBuffers<float> in = Ramp<float>(kFrames);
  StereoBuffers<float> out(kFrames);
  effect->processReplacing(effect, in.Pointers(), out.Pointers(), kFrames);
  EXPECT_EQ(plug.blocks, (std::vector<int>{64, 64, 64, 8}));
  for (int t = 0; t < kFrames; ++t)
  {
    ASSERT_EQ(out.right[static_cast<size_t>(t)],
              static_cast<float>(TestPlugin::Expected(in.right[static_cast<size_t>(t)], 1)));
  }

  StereoBuffers<double> inDouble = Ramp<double>(kFrames);
  StereoBuffers<double> outDouble(kFrames);
  effect->processDoubleReplacing(effect, inDouble.Pointers(), outDouble.Pointers(), kFrames);
  EXPECT_EQ(outDouble.left[199], TestPlugin::Expected(inDouble.left[199], 0));
}

TEST_F(Vst2Process, MissingBuffersAreSilenceOrNoBlock)
{
  StereoBuffers<float> out(16, 9.0f);
  effect->processReplacing(effect, nullptr, out.Pointers(), 16);
  EXPECT_EQ(out.left[3], static_cast<float>(TestPlugin::Expected(0.0, 0)));  // silent input
  effect->processReplacing(effect, nullptr, nullptr, 16);
  StereoBuffers<float> in = Ramp<float>(16);
  effect->processReplacing(effect, in.Pointers(), out.Pointers(), 0);
  effect->processReplacing(effect, in.Pointers(), out.Pointers(), -5);
  EXPECT_EQ(plug.blocks, (std::vector<int>{16}));
}

TEST_F(Vst2Process, DisconnectedChannelsConsumeNoHostBuffer)
{
  VstSpeakerArrangement mono{};
  mono.numChannels = 1;
  Dispatch(effect, effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &mono);
  // The host passes one buffer per connected channel.
  std::vector<float> in(32, 0.25f);
  std::vector<float> out(32, 0.0f);
  float* inputs[] = {in.data()};
  float* outputs[] = {out.data()};
  effect->processReplacing(effect, inputs, outputs, 32);
  EXPECT_EQ(out[31], static_cast<float>(TestPlugin::Expected(0.25, 0)));
}

TEST_F(Vst2Process, SetAndGetParameterUseNormalisedValues)
{
  effect->setParameter(effect, TestPlugin::kOffset, 0.75f);
  EXPECT_EQ(plug.GetParam(TestPlugin::kOffset)->Value(), 5.0);
  EXPECT_EQ(effect->getParameter(effect, TestPlugin::kOffset), 0.75f);
  EXPECT_EQ(plug.changes, (std::vector<int>{TestPlugin::kOffset}));

  effect->setParameter(effect, TestPlugin::kSteps, 0.444f);  // int: rounded to a step
  EXPECT_EQ(plug.GetParam(TestPlugin::kSteps)->Value(), 44.0);

  effect->setParameter(effect, -1, 0.5f);
  effect->setParameter(effect, TestPlugin::kParamCount, 0.5f);
  EXPECT_EQ(plug.changes.size(), 2u);
  EXPECT_EQ(effect->getParameter(effect, -1), 0.0f);
  EXPECT_EQ(effect->getParameter(effect, TestPlugin::kParamCount), 0.0f);

  effect->setParameter(effect, TestPlugin::kGain, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(plug.GetParam(TestPlugin::kGain)->Value(), 0.5);
}

TEST_F(Vst2Process, StringToParameterReadsNumbersAndDisplayTexts)
{
  char number[] = "  7.5 dB";
  EXPECT_EQ(Dispatch(effect, effString2Parameter, TestPlugin::kOffset, 0, number), 1);
  EXPECT_EQ(plug.GetParam(TestPlugin::kOffset)->Value(), -7.5);  // shown negated

  char huge[] = "1e300";
  EXPECT_EQ(Dispatch(effect, effString2Parameter, TestPlugin::kSteps, 0, huge), 1);
  EXPECT_EQ(plug.GetParam(TestPlugin::kSteps)->Value(), 100.0);

  char flanger[] = "Flanger";
  EXPECT_EQ(Dispatch(effect, effString2Parameter, TestPlugin::kMode, 0, flanger), 1);
  EXPECT_EQ(plug.GetParam(TestPlugin::kMode)->Value(), 1.0);
  EXPECT_EQ(plug.changes, (std::vector<int>{1, 3, 2}));

  char unknown[] = "Phaser";
  EXPECT_EQ(Dispatch(effect, effString2Parameter, TestPlugin::kMode, 0, unknown), 0);
  char word[] = "loud";
  char nan[] = "nan";
  EXPECT_EQ(Dispatch(effect, effString2Parameter, TestPlugin::kGain, 0, word), 0);
  EXPECT_EQ(Dispatch(effect, effString2Parameter, TestPlugin::kGain, 0, nan), 0);
  EXPECT_EQ(plug.GetParam(TestPlugin::kGain)->Value(), 0.5);
  EXPECT_EQ(plug.changes.size(), 3u);

  EXPECT_EQ(Dispatch(effect, effString2Parameter, TestPlugin::kParamCount, 0, number), 0);
}

TEST_F(Vst2Process, StringToParameterReadsAnUnterminatedTextWithinItsBound)
{
  std::vector<char> digits(64, '1');  // heap, no terminator
  EXPECT_EQ(Dispatch(effect, effString2Parameter, TestPlugin::kSteps, 0, digits.data()), 1);
  EXPECT_EQ(plug.GetParam(TestPlugin::kSteps)->Value(), 100.0);
}

TEST_F(Vst2Process, EventsReachTheMidiAndSysExHooks)
{
  VstMidiEvent note{};
  note.type = kVstMidiType;
  note.byteSize = sizeof(VstMidiEvent);
  note.deltaFrames = 17;
  note.midiData[0] = static_cast<char>(0xB0);
  note.midiData[1] = 7;
  note.midiData[2] = static_cast<char>(127);
  char dump[] = {static_cast<char>(0xF0), 0x7D, 0x01, static_cast<char>(0xF7)};
  VstMidiSysexEvent sysex{};
  sysex.type = kVstSysExType;
  sysex.byteSize = sizeof(VstMidiSysexEvent);
  sysex.deltaFrames = 3;
  sysex.dumpBytes = sizeof(dump);
  sysex.sysexDump = dump;
  VstEvent other{};
  other.type = kVstParameterType;

  struct
  {
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* events[4];
  } list{
      4,
      0,
      {reinterpret_cast<VstEvent*>(&note), nullptr, reinterpret_cast<VstEvent*>(&sysex), &other}};
  EXPECT_EQ(Dispatch(effect, effProcessEvents, 0, 0, &list), 1);

  ASSERT_EQ(plug.midi.size(), 1u);
  EXPECT_EQ(plug.midi[0].offset, 17);
  EXPECT_EQ(plug.midi[0].status, 0xB0);
  EXPECT_EQ(plug.midi[0].data1, 7);
  EXPECT_EQ(plug.midi[0].data2, 127);
  ASSERT_EQ(plug.sysex.size(), 1u);
  EXPECT_EQ(plug.sysex[0], (std::vector<uint8_t>{0xF0, 0x7D, 0x01, 0xF7}));
  EXPECT_EQ(plug.sysexOffsets[0], 3);

  EXPECT_EQ(Dispatch(effect, effProcessEvents, 0, 0, nullptr), 0);
}

}  // namespace
