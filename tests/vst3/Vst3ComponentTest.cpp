#include "tests/vst3/Vst3Fixture.h"

#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>

using namespace Steinberg;
using namespace Steinberg::Vst;
using vst3test::TestEffect;
using vst3test::Text;

namespace
{
BusInfo Bus(IComponent* component, MediaType type, BusDirection dir, int32 index)
{
  BusInfo info = {};
  EXPECT_EQ(component->getBusInfo(type, dir, index, info), kResultOk);
  return info;
}

class Vst3Component : public vst3test::Vst3Fixture
{
};

TEST_F(Vst3Component, EffectHasStereoMainBusesAndOneMidiInput)
{
  ASSERT_EQ(effect->getBusCount(kAudio, kInput), 1);
  ASSERT_EQ(effect->getBusCount(kAudio, kOutput), 1);
  ASSERT_EQ(effect->getBusCount(kEvent, kInput), 1);
  EXPECT_EQ(effect->getBusCount(kEvent, kOutput), 0);

  const BusInfo input = Bus(effect, kAudio, kInput, 0);
  EXPECT_EQ(Text(input.name), u"Main Input");
  EXPECT_EQ(input.channelCount, 2);
  EXPECT_EQ(input.busType, kMain);
  EXPECT_EQ(input.flags, static_cast<uint32>(BusInfo::kDefaultActive));
  EXPECT_EQ(Text(Bus(effect, kAudio, kOutput, 0).name), u"Output");
  const BusInfo midi = Bus(effect, kEvent, kInput, 0);
  EXPECT_EQ(Text(midi.name), u"MIDI Input");
  EXPECT_EQ(midi.channelCount, 1);

  SpeakerArrangement arrangement = 0;
  ASSERT_EQ(effect->getBusArrangement(kOutput, 0, arrangement), kResultOk);
  EXPECT_EQ(arrangement, SpeakerArr::kStereo);
  EXPECT_EQ(effect->getBusArrangement(kOutput, 1, arrangement), kResultFalse);
  BusInfo none = {};
  EXPECT_EQ(effect->getBusInfo(kAudio, kInput, 1, none), kInvalidArgument);
  EXPECT_EQ(effect->activateBus(kAudio, kOutput, 3, true), kInvalidArgument);
}

TEST(Vst3ComponentFlavours, InstrumentHasStereoOutputPairsAndNoBypass)
{
  pluginhost::HostApplication host(u"Test Host");
  IPtr<TestEffect> instrument = owned(new TestEffect(TestEffect::Flavour::Instrument));
  ASSERT_EQ(instrument->initialize(&host), kResultOk);
  EXPECT_EQ(instrument->getBusCount(kAudio, kInput), 0);
  ASSERT_EQ(instrument->getBusCount(kAudio, kOutput), 2);
  EXPECT_EQ(Text(Bus(instrument, kAudio, kOutput, 0).name), u"Output 1");
  EXPECT_EQ(Text(Bus(instrument, kAudio, kOutput, 1).name), u"Output 2");
  EXPECT_EQ(Bus(instrument, kAudio, kOutput, 1).channelCount, 2);
  EXPECT_EQ(instrument->getParameterCount(), 5);  // program change and four parameters
  instrument->terminate();

  IPtr<TestEffect> quiet = owned(new TestEffect(TestEffect::Flavour::NoMidi));
  ASSERT_EQ(quiet->initialize(&host), kResultOk);
  EXPECT_EQ(quiet->getBusCount(kEvent, kInput), 0);
  quiet->terminate();
}

TEST_F(Vst3Component, BusArrangementsAcceptOnlyStereoInAndOut)
{
  SpeakerArrangement stereo = SpeakerArr::kStereo;
  SpeakerArrangement mono = SpeakerArr::kMono;
  EXPECT_EQ(effect->setBusArrangements(&stereo, 1, &stereo, 1), kResultOk);
  EXPECT_EQ(effect->setBusArrangements(&mono, 1, &stereo, 1), kResultFalse);
  EXPECT_EQ(effect->setBusArrangements(nullptr, 0, &stereo, 1), kResultFalse);
  EXPECT_EQ(effect->setBusArrangements(&stereo, 1, nullptr, 0), kResultFalse);
  // Refusals leave the buses as they were.
  EXPECT_EQ(Text(Bus(effect, kAudio, kInput, 0).name), u"Main Input");
  EXPECT_EQ(Bus(effect, kAudio, kInput, 0).channelCount, 2);
}

TEST(Vst3ComponentFlavours, ArrangementWithOtherChannelCountsRebuildsTheMainBuses)
{
  pluginhost::HostApplication host(u"Test Host");
  IPtr<TestEffect> effect = owned(new TestEffect(TestEffect::Flavour::MonoOrStereo));
  ASSERT_EQ(effect->initialize(&host), kResultOk);
  SpeakerArrangement mono = SpeakerArr::kMono;
  ASSERT_EQ(effect->setBusArrangements(&mono, 1, &mono, 1), kResultOk);
  ASSERT_EQ(effect->getBusCount(kAudio, kInput), 1);
  const BusInfo input = Bus(effect, kAudio, kInput, 0);
  EXPECT_EQ(Text(input.name), u"Input");
  EXPECT_EQ(input.channelCount, 1);
  EXPECT_EQ(input.flags, static_cast<uint32>(BusInfo::kDefaultActive));
  EXPECT_EQ(Text(Bus(effect, kAudio, kOutput, 0).name), u"Output");
  SpeakerArrangement arrangement = 0;
  ASSERT_EQ(effect->getBusArrangement(kInput, 0, arrangement), kResultOk);
  EXPECT_EQ(arrangement, 0x80000u);

  // Mono in and out: the second channel is neither fed nor delivered.
  ProcessSetup setup{kRealtime, kSample32, 64, 44100.0};
  ASSERT_EQ(effect->setupProcessing(setup), kResultOk);
  effect->activateBus(kAudio, kOutput, 0, true);
  vst3test::StereoBlock<float> block(64, 5.0f);
  std::fill(block.in[0].begin(), block.in[0].end(), 0.5f);
  std::fill(block.in[1].begin(), block.in[1].end(), 0.5f);
  AudioBusBuffers buses[2];
  ProcessData data = vst3test::MakeProcessData(block, buses);
  buses[0].numChannels = 1;
  buses[1].numChannels = 1;
  ASSERT_EQ(effect->process(data), kResultOk);
  EXPECT_EQ(block.out[0][10], 1.0f);
  EXPECT_EQ(block.out[1][10], 5.0f);
  EXPECT_EQ(effect->blocks.at(0).inputs[1][10], 0.0);
  effect->terminate();
}

TEST_F(Vst3Component, InitializeOnceIdentifiesTheHostAndLoadsTheFirstProgram)
{
  pluginhost::HostApplication reaper(u"REAPER v6");
  EXPECT_EQ(effect->initialize(&reaper), kResultFalse);
  EXPECT_EQ(effect->getParameterCount(), 6);  // nothing created twice
  EXPECT_EQ(effect->getBusCount(kAudio, kInput), 1);
  EXPECT_EQ(effect->GetHostKind(), HostKind::Reaper);  // identification still runs

  effect->terminate();
  EXPECT_EQ(effect->getParameterCount(), 0);
  EXPECT_EQ(effect->getBusCount(kAudio, kOutput), 0);

  effect->GetParam(0)->SetPlainClamped(90.0);
  pluginhost::HostApplication ardour(u"Ardour");
  ASSERT_EQ(effect->initialize(&ardour), kResultOk);
  EXPECT_EQ(effect->GetHostKind(), HostKind::Ardour);
  EXPECT_EQ(effect->getParameterCount(), 6);
  EXPECT_DOUBLE_EQ(effect->GetParam(0)->Value(), 25.0);  // the "Init" program again
  EXPECT_EQ(effect->GetCurrentPreset(), 0);
  effect->terminate();  // before the local host goes away
}

TEST(Vst3ComponentHosts, ContextWithoutHostApplicationLeavesTheHostUnknown)
{
  pluginhost::BareContext context;
  IPtr<TestEffect> effect = owned(new TestEffect());
  ASSERT_EQ(effect->initialize(&context), kResultOk);
  EXPECT_EQ(effect->GetHostKind(), HostKind::NotIdentified);
  EXPECT_EQ(effect->GetHostVersion(), 0);
  effect->terminate();
  EXPECT_EQ(context.refs, 1u);  // the context is released again
}

TEST_F(Vst3Component, OneObjectAnswersEveryInterfaceExceptTheConnectionPoint)
{
  const uint32 before = effect->addRef() - 1;
  effect->release();

  auto same = [&](const TUID iid) {
    void* obj = nullptr;
    EXPECT_EQ(effect->queryInterface(iid, &obj), kResultOk);
    auto* unknown = static_cast<FUnknown*>(obj);
    FUnknown* identity = nullptr;
    unknown->queryInterface(FUnknown::iid, reinterpret_cast<void**>(&identity));
    FUnknown* expected = nullptr;
    effect->queryInterface(FUnknown::iid, reinterpret_cast<void**>(&expected));
    EXPECT_EQ(identity, expected);
    identity->release();
    expected->release();
    unknown->release();
  };
  same(IComponent::iid);
  same(IAudioProcessor::iid);
  same(IEditController::iid);
  same(IEditController2::iid);
  same(IUnitInfo::iid);
  same(IPluginBase::iid);

  void* obj = reinterpret_cast<void*>(1);
  EXPECT_EQ(effect->queryInterface(IConnectionPoint::iid, &obj), kNoInterface);
  EXPECT_EQ(obj, nullptr);

  EXPECT_EQ(effect->addRef() - 1, before);  // every reference handed out came back
  effect->release();
}

TEST_F(Vst3Component, NoEditorMeansNoViewAndOnlyTheTwoSampleSizes)
{
  EXPECT_EQ(effect->createView(ViewType::kEditor), nullptr);
  EXPECT_EQ(effect->canProcessSampleSize(kSample32), kResultOk);
  EXPECT_EQ(effect->canProcessSampleSize(kSample64), kResultOk);
  EXPECT_EQ(effect->canProcessSampleSize(2), kResultFalse);
  EXPECT_EQ(effect->setKnobMode(kLinearMode), kResultOk);
  EXPECT_EQ(EditController::getHostKnobMode(), kLinearMode);
}
}  // namespace
