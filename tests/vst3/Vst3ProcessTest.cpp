#include "tests/vst3/Vst3Fixture.h"

#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using vst3test::StereoBlock;

namespace
{
constexpr ParamID kPreset = 0x70727374;
constexpr ParamID kBypass = 0x62706173;

class Vst3Process : public vst3test::Vst3Fixture
{
protected:
  // Runs one 32-bit block of `frames` with the given changes and events.
  tresult Run(int frames, IParameterChanges* changes = nullptr, IEventList* events = nullptr,
              ProcessContext* context = nullptr)
  {
    StereoBlock<float> block(frames);
    AudioBusBuffers buses[2];
    ProcessData data = vst3test::MakeProcessData(block, buses);
    data.inputParameterChanges = changes;
    data.inputEvents = events;
    data.processContext = context;
    return effect->process(data);
  }
};

TEST_F(Vst3Process, SetupStoresRateAndBlockKeepsBypassAndResets)
{
  effect->SetBypassed(true);
  ProcessSetup setup{kOffline, kSample64, 256, 96000.0};
  ASSERT_EQ(effect->setupProcessing(setup), kResultOk);
  EXPECT_TRUE(effect->IsBypassed());
  EXPECT_EQ(effect->GetSampleRate(), 96000.0);
  EXPECT_EQ(effect->GetBlockSize(), 256);
  EXPECT_EQ(effect->resets, 1);
  EXPECT_TRUE(effect->HostRendersOffline());

  // Refused set-ups change nothing.
  ProcessSetup odd{kRealtime, 7, 128, 44100.0};
  EXPECT_EQ(effect->setupProcessing(odd), kResultFalse);
  ProcessSetup noRate{kRealtime, kSample32, 128, std::numeric_limits<double>::quiet_NaN()};
  EXPECT_EQ(effect->setupProcessing(noRate), kResultFalse);
  EXPECT_EQ(effect->GetSampleRate(), 96000.0);
  EXPECT_EQ(effect->GetBlockSize(), 256);
  EXPECT_EQ(effect->resets, 1);
  EXPECT_TRUE(effect->HostRendersOffline());

  // Scratch buffers never follow an absurd host promise.
  ProcessSetup huge{kRealtime, kSample32, 1 << 30, 44100.0};
  ASSERT_EQ(effect->setupProcessing(huge), kResultOk);
  EXPECT_EQ(effect->GetBlockSize(), IEffectVST3::kMaxBlockSize);
}

TEST_F(Vst3Process, OnlyTheLastPointOfEachQueueIsAppliedOnceBeforeTheAudio)
{
  Prepare(kSample32);
  effect->changes.clear();
  pluginhost::ParameterChanges changes;
  pluginhost::ParamValueQueue& gain = changes.Add(0, 0.1, 0);
  gain.points.emplace_back(100, 0.2);
  gain.points.emplace_back(200, 0.6);
  changes.Add(77, 0.5);                   // no such parameter
  changes.Add(3, 1.0).unreadable = true;  // skipped
  ASSERT_EQ(Run(256, &changes), kResultOk);

  EXPECT_EQ(effect->changes, std::vector<int>{0});
  ASSERT_EQ(effect->blocks.size(), 1u);
  EXPECT_DOUBLE_EQ(effect->blocks[0].gain, 60.0);  // already set when the block ran
  EXPECT_DOUBLE_EQ(effect->GetParam(1)->Value(), 0.0);
}

TEST_F(Vst3Process, BypassSwitchesAboveHalf)
{
  Prepare(kSample32);
  pluginhost::ParameterChanges half;
  half.Add(kBypass, 0.5);
  Run(64, &half);
  EXPECT_FALSE(effect->IsBypassed());
  pluginhost::ParameterChanges more;
  more.Add(kBypass, 0.51);
  Run(64, &more);
  EXPECT_TRUE(effect->IsBypassed());
}

// A host sets bypass and program through the controller and sends the same
// change to the processor; either may come first. The controller reads back
// the last value set through either path or a restored state, and only the
// processor's change acts.
TEST_F(Vst3Process, BypassAndProgramReadTheLastValueSetThroughEitherPath)
{
  Prepare(kSample32);
  const auto processed = [&](ParamID id, double value) {
    pluginhost::ParameterChanges change;
    change.Add(id, value);
    Run(64, &change);
  };
  for (ParamID id : {kBypass, kPreset})
  {
    SCOPED_TRACE(id);
    EXPECT_EQ(effect->setParamNormalized(id, 0.5), kResultOk);
    EXPECT_EQ(effect->getParamNormalized(id), 0.5);
    processed(id, 0.75);
    EXPECT_EQ(effect->getParamNormalized(id), 0.75);
    EXPECT_EQ(effect->setParamNormalized(id, 0.0), kResultOk);
    EXPECT_EQ(effect->getParamNormalized(id), 0.0);
    EXPECT_EQ(effect->setParamNormalized(id, std::numeric_limits<double>::quiet_NaN()), kResultOk);
    EXPECT_EQ(effect->getParamNormalized(id), 0.0);
  }
  EXPECT_TRUE(effect->IsBypassed()) << "only the processed change switched bypass";
  EXPECT_EQ(effect->GetCurrentPreset(), 1);

  EXPECT_EQ(effect->setParamNormalized(kBypass, 1.0), kResultOk);
  processed(kBypass, 0.0);
  EXPECT_FALSE(effect->IsBypassed());
  EXPECT_EQ(effect->getParamNormalized(kBypass), 0.0);

  std::vector<uint8_t> bypassed;
  for (int i = 0; i < effect->GetParamCount(); ++i)
    vst3test::AppendDouble(bypassed, effect->GetParam(i)->Value());
  vst3test::AppendInt32(bypassed, 1);
  pluginhost::ByteStream stream(bypassed);
  ASSERT_EQ(effect->setState(&stream), kResultOk);
  EXPECT_EQ(effect->getParamNormalized(kBypass), 1.0);
  EXPECT_TRUE(effect->IsBypassed());
}

TEST_F(Vst3Process, ProgramChangeSelectsTheSlotByItsShare)
{
  Prepare(kSample32);
  effect->GetParam(0)->SetPlainClamped(70.0);
  pluginhost::ParameterChanges second;
  second.Add(kPreset, 0.5);  // 0.5 x 2 slots: slot 1, first load captures it
  Run(64, &second);
  EXPECT_EQ(effect->GetCurrentPreset(), 1);
  EXPECT_STREQ(effect->GetPresetName(1), "user preset 1");

  pluginhost::ParameterChanges first;
  first.Add(kPreset, 0.0);
  Run(64, &first);
  EXPECT_EQ(effect->GetCurrentPreset(), 0);
  EXPECT_DOUBLE_EQ(effect->GetParam(0)->Value(), 25.0);

  for (double beyond : {1.0, -3.0, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity()})
  {
    pluginhost::ParameterChanges change;
    change.Add(kPreset, beyond);
    Run(64, &change);
    EXPECT_EQ(effect->GetCurrentPreset(), 0) << beyond;
  }
}

TEST_F(Vst3Process, NoteEventsBecomeMidiMessagesInListOrder)
{
  Prepare(kSample32);
  pluginhost::EventList events;
  events.AddNoteOn(17, 2, 60, 1.0f);
  events.AddNoteOff(40, 0, 61);
  Event pressure = {};
  pressure.type = Event::kPolyPressureEvent;
  events.events.push_back(pressure);
  events.AddNoteOn(3, 15, 200, std::numeric_limits<float>::quiet_NaN());
  events.AddNoteOn(5, 0, 64, 0.5f);
  Run(64, nullptr, &events);

  ASSERT_EQ(effect->midi.size(), 4u);
  EXPECT_EQ(effect->midi[0].offset, 17);
  EXPECT_EQ(effect->midi[0].status, 0x92);
  EXPECT_EQ(effect->midi[0].data1, 60);
  EXPECT_EQ(effect->midi[0].data2, 127);
  EXPECT_EQ(effect->midi[1].status, 0x80);
  EXPECT_EQ(effect->midi[1].data1, 61);
  EXPECT_EQ(effect->midi[1].data2, 0);
  // Out-of-range fields stay inside their MIDI bytes; NaN velocity is 0.
  EXPECT_EQ(effect->midi[2].status, 0x9F);
  EXPECT_LT(effect->midi[2].data1, 128);
  EXPECT_EQ(effect->midi[2].data2, 0);
  EXPECT_EQ(effect->midi[3].data2, 63);  // 63.5 truncated
}

TEST(Vst3ProcessFlavours, PluginWithoutMidiIgnoresNotes)
{
  pluginhost::HostApplication host(u"Test Host");
  IPtr<vst3test::TestEffect> effect =
      owned(new vst3test::TestEffect(vst3test::TestEffect::Flavour::NoMidi));
  ASSERT_EQ(effect->initialize(&host), kResultOk);
  pluginhost::EventList events;
  events.AddNoteOn(0, 0, 60, 1.0f);
  ProcessData data;
  data.inputEvents = &events;
  EXPECT_EQ(effect->process(data), kResultOk);
  EXPECT_TRUE(effect->midi.empty());
  effect->terminate();
}

TEST_F(Vst3Process, MissingHostChannelsAreSilentInAndUntouchedOut)
{
  Prepare(kSample32);
  StereoBlock<float> block(64, 9.0f);
  for (int t = 0; t < 64; ++t)
    block.in[0][t] = block.in[1][t] = 1.0f;
  AudioBusBuffers buses[2];
  ProcessData data = vst3test::MakeProcessData(block, buses);
  buses[0].numChannels = 1;  // the host feeds the left input only
  buses[1].numChannels = 1;  // and takes the left output only
  ASSERT_EQ(effect->process(data), kResultOk);
  ASSERT_EQ(effect->blocks.size(), 1u);
  for (int t = 0; t < 64; ++t)
  {
    EXPECT_EQ(effect->blocks[0].inputs[1][t], 0.0);
    EXPECT_EQ(block.out[0][t], 2.0f);
    EXPECT_EQ(block.out[1][t], 9.0f);
  }
}

TEST_F(Vst3Process, BlockLongerThanPromisedIsProcessedInPieces)
{
  Prepare(kSample32, 100);
  StereoBlock<float> block(250);
  for (int t = 0; t < 250; ++t)
    block.in[0][t] = block.in[1][t] = static_cast<float>(t);
  AudioBusBuffers buses[2];
  ProcessData data = vst3test::MakeProcessData(block, buses);
  ASSERT_EQ(effect->process(data), kResultOk);
  ASSERT_EQ(effect->blocks.size(), 3u);
  EXPECT_EQ(effect->blocks[0].frames, 100);
  EXPECT_EQ(effect->blocks[2].frames, 50);
  for (int t = 0; t < 250; ++t)
    ASSERT_EQ(block.out[1][t], 2.0f * static_cast<float>(t));
}

TEST_F(Vst3Process, DoublePrecisionWorksOnTheHostBuffers)
{
  Prepare(kSample64);
  StereoBlock<double> block(64);
  for (int t = 0; t < 64; ++t)
    block.in[0][t] = block.in[1][t] = 0.1 * t;
  AudioBusBuffers buses[2];
  ProcessData data = vst3test::MakeProcessData(block, buses);
  ASSERT_EQ(effect->process(data), kResultOk);
  ASSERT_EQ(effect->blocks.size(), 1u);
  EXPECT_EQ(effect->blocks[0].inputs[0], block.in[0].data());
  EXPECT_EQ(effect->blocks[0].outputs[1], block.out[1].data());
  EXPECT_EQ(block.out[0][63], 2.0 * block.in[0][63]);
}

TEST_F(Vst3Process, TransportComesFromTheLastContext)
{
  Prepare(kSample32);
  ProcessContext context = {};
  context.state = ProcessContext::kPlaying | ProcessContext::kCycleActive;
  context.tempo = 133.0;
  context.projectTimeSamples = (int64{1} << 32) + 5;
  context.projectTimeMusic = 16.5;
  context.barPositionMusic = 16.0;
  context.cycleStartMusic = 8.0;
  context.cycleEndMusic = 24.0;
  context.timeSigNumerator = 7;
  context.timeSigDenominator = 8;
  Run(32, nullptr, nullptr, &context);
  Run(32);  // a block without a context keeps the last one

  EXPECT_EQ(effect->QueryTempo(), 133.0);
  EXPECT_EQ(effect->QuerySamplePosition(), 5);
  int numerator = 0;
  int denominator = 0;
  effect->QueryTimeSignature(&numerator, &denominator);
  EXPECT_EQ(numerator, 7);
  EXPECT_EQ(denominator, 8);
  ITransportInfo info;
  effect->QueryTransport(&info);
  EXPECT_EQ(info.samplePosition, 4294967301.0);
  EXPECT_EQ(info.ppqPosition, 16.5);
  EXPECT_EQ(info.lastBarStart, 16.0);
  EXPECT_EQ(info.cycleStart, 8.0);
  EXPECT_EQ(info.cycleEnd, 24.0);
  EXPECT_TRUE(info.playing);
  EXPECT_TRUE(info.cycleActive);

  context.state = ProcessContext::kCycleActive;
  Run(32, nullptr, nullptr, &context);
  effect->QueryTransport(&info);
  EXPECT_FALSE(info.playing);
}
}  // namespace
