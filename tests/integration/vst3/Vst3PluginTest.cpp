#include "tests/integration/vst3/Vst3ModuleHost.h"

#include "engine/EngineTail.h"

#include <gtest/gtest.h>

#include <map>

#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;
using vst3test::Text;
using vst3test::Vst3Instance;

namespace
{
constexpr ParamID kPreset = 0x70727374;
constexpr ParamID kBypass = 0x62706173;

struct Expected
{
  const char16_t* name;
  double defaultValue;
  double min;
  double max;
};

// The product's parameter set, in index order.
const Expected kParameters[22] = {
    {u"FilterTone", 0.5, 0, 1},         {u"HostBarStartPulse", 0, 0, 1},
    {u"HostTempoBpm", 120, 0, 1000},    {u"HostTransportIsRunning", 0, 0, 1},
    {u"MainFxOffOn", 0, 0, 1},          {u"MainInputGain", 0.5, 0, 1},
    {u"MainInputMode", 0, 0, 3},        {u"MainOutputBlend", 1, 0, 1},
    {u"MainOutputVolume", 0.5, 0, 1},   {u"MidiChannelInput", 1, 1, 1.00001},
    {u"QuillwaveBandwidth", 0.5, 0, 1}, {u"QuillwaveCenter", 0.5, 0, 1},
    {u"QuillwaveFeedback", 0.5, 0, 1},  {u"QuillwaveMode", 0, 0, 1},
    {u"QuillwaveRate", 0.5, 0, 1},      {u"PresetBackward", 0, 0, 1},
    {u"PresetForward", 0, 0, 1},        {u"PresetLoad", 0, 0, 1},
    {u"PresetSave", 0, 0, 1},           {u"PresetSelector", 0, -1, 10000},
    {u"SaturationGain", 0, 0, 1},       {u"zInitParams", 0, 0, 1},
};

std::u16string Display(IEditController* controller, ParamID id, ParamValue normalized)
{
  String128 text = {};
  EXPECT_EQ(controller->getParamStringByValue(id, normalized, text), kResultOk);
  return Text(text);
}

std::vector<uint8_t> SavedState(Vst3Instance& plugin)
{
  pluginhost::ByteStream stream;
  EXPECT_EQ(plugin.component->getState(&stream), kResultOk);
  return stream.bytes;
}

// Changes parameters the way a host does: through one processed block.
void Automate(Vst3Instance& plugin, std::initializer_list<std::pair<ParamID, double>> changes)
{
  pluginhost::ParameterChanges queue;
  for (const auto& change : changes)
    queue.Add(change.first, change.second);
  ProcessData data;
  data.inputParameterChanges = &queue;
  ASSERT_EQ(plugin.processor->process(data), kResultOk);
}

TEST(Vst3Plugin, HostSeesProgramChangeBypassAndTheTwentyTwoParameters)
{
  Vst3Instance plugin;
  IEditController* controller = plugin.controller;
  ASSERT_EQ(controller->getParameterCount(), 24);

  ParameterInfo info = {};
  ASSERT_EQ(controller->getParameterInfo(0, info), kResultOk);
  EXPECT_EQ(info.id, kPreset);
  EXPECT_EQ(Text(info.title), u"Preset");
  EXPECT_EQ(info.stepCount, 1);
  EXPECT_EQ(info.flags, 0x8000);
  ASSERT_EQ(controller->getParameterInfo(1, info), kResultOk);
  EXPECT_EQ(info.id, kBypass);
  EXPECT_EQ(Text(info.title), u"Bypass");
  EXPECT_EQ(info.flags, 0x10009);

  for (int i = 0; i < 22; ++i)
  {
    const Expected& expected = kParameters[i];
    ASSERT_EQ(controller->getParameterInfo(i + 2, info), kResultOk);
    const ParamID id = static_cast<ParamID>(i);
    EXPECT_EQ(info.id, id);
    EXPECT_EQ(Text(info.title), expected.name);
    EXPECT_EQ(Text(info.units), u"") << i;
    EXPECT_EQ(info.stepCount, 0);
    EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate);
    EXPECT_EQ(info.unitId, kRootUnitId);
    EXPECT_NEAR(info.defaultNormalizedValue,
                (expected.defaultValue - expected.min) / (expected.max - expected.min), 1e-12)
        << i;
    EXPECT_DOUBLE_EQ(controller->normalizedParamToPlain(id, 0.0), expected.min) << i;
    EXPECT_DOUBLE_EQ(controller->normalizedParamToPlain(id, 1.0), expected.max) << i;
  }
  EXPECT_EQ(controller->getParameterInfo(24, info), kResultFalse);

  EXPECT_EQ(Display(controller, 0, controller->getParamNormalized(0)), u"0.50000");
  EXPECT_EQ(Display(controller, 2, controller->getParamNormalized(2)), u"120.00000");
  EXPECT_EQ(Display(controller, 19, 0.0), u"-1.00000");
  EXPECT_EQ(Display(controller, 19, 1.0), u"10000.00000");
  EXPECT_EQ(Display(controller, 9, 1.0), u"1.00001");
}

// A VST3 host sends controllers as parameter changes: the plug-in names the
// parameter of each controller it answers on MIDI channel 1, the same map its
// VST2 module applies to controller events.
TEST(Vst3Plugin, MidiControllersOnChannelOneNameTheParametersTheyDrive)
{
  Vst3Instance plugin;
  FUnknownPtr<IMidiMapping> mapping(plugin.controller);
  ASSERT_TRUE(mapping);
  const std::map<int, ParamID> expected = {{1, 7},   {2, 4},   {3, 5},   {7, 8},   {8, 10}, {9, 11},
                                           {10, 12}, {11, 14}, {12, 13}, {13, 20}, {14, 0}};
  for (int16 controller = 0; controller < 130; ++controller)
  {
    ParamID id = 9999;
    const auto found = expected.find(controller);
    EXPECT_EQ(mapping->getMidiControllerAssignment(0, 0, controller, id),
              found != expected.end() ? kResultOk : kResultFalse)
        << controller;
    if (found != expected.end())
    {
      EXPECT_EQ(id, found->second) << controller;
    }
    EXPECT_EQ(mapping->getMidiControllerAssignment(0, 1, controller, id), kResultFalse)
        << controller;
    EXPECT_EQ(mapping->getMidiControllerAssignment(1, 0, controller, id), kResultFalse)
        << controller;
  }
}

// What hosts read while they scan and activate: processing can be switched,
// and the tail covers the feedback's ringing at the host's rate.
TEST(Vst3Plugin, ProcessingSwitchesAndTheTailFollowsTheRate)
{
  Vst3Instance plugin;
  for (double rate : {44100.0, 96000.0})
  {
    plugin.Start(kSample32, rate, 512);
    EXPECT_EQ(plugin.processor->setProcessing(true), kResultOk);
    EXPECT_EQ(plugin.processor->getTailSamples(), static_cast<uint32>(EngineTailSamples(rate)))
        << rate;
    EXPECT_EQ(plugin.processor->setProcessing(false), kResultOk);
    plugin.component->setActive(false);
  }
}

TEST(Vst3Plugin, ControllerGetAndSetWorkInNormalisedValues)
{
  Vst3Instance plugin;
  IEditController* controller = plugin.controller;
  EXPECT_DOUBLE_EQ(controller->getParamNormalized(2), 0.12);
  EXPECT_EQ(controller->setParamNormalized(6, 2.0 / 3.0), kResultOk);
  EXPECT_EQ(Display(controller, 6, controller->getParamNormalized(6)), u"2.00000");
  EXPECT_DOUBLE_EQ(controller->plainParamToNormalized(2, 600.0), 0.6);
  EXPECT_DOUBLE_EQ(controller->plainParamToNormalized(2, 5000.0), 1.0);
  // MidiChannelInput stays on channel 1 whatever a host asks for.
  EXPECT_EQ(controller->setParamNormalized(9, 0.0), kResultOk);
  EXPECT_EQ(Display(controller, 9, controller->getParamNormalized(9)), u"1.00000");
  EXPECT_EQ(controller->setParamNormalized(22, 0.5), kResultFalse);
}

TEST(Vst3Plugin, ProgramListHasTheInitProgram)
{
  Vst3Instance plugin;
  ProgramListInfo list = {};
  ASSERT_EQ(plugin.units->getProgramListInfo(0, list), kResultOk);
  EXPECT_EQ(list.id, static_cast<ProgramListID>(kPreset));
  EXPECT_EQ(Text(list.name), u"Factory Presets");
  EXPECT_EQ(list.programCount, 1);
  String128 name = {};
  ASSERT_EQ(plugin.units->getProgramName(kPreset, 0, name), kResultOk);
  EXPECT_EQ(Text(name), u"Init");
  EXPECT_EQ(plugin.units->getUnitCount(), 1);
}

TEST(Vst3Plugin, FreshStateIsTheDefaultsAndTheBypassFlag)
{
  Vst3Instance plugin;
  const std::vector<uint8_t> state = SavedState(plugin);
  ASSERT_EQ(state.size(), 180u);
  for (int i = 0; i < 22; ++i)
    EXPECT_EQ(vst3test::DoubleAt(state, 8 * static_cast<size_t>(i)), kParameters[i].defaultValue)
        << i;
  EXPECT_EQ(std::vector<uint8_t>(state.begin() + 176, state.end()),
            (std::vector<uint8_t>{0, 0, 0, 0}));
}

template <typename Interface>
void ExpectStateTravelsByteForByte(const Vst3Instance& source, Vst3Instance& target)
{
  FUnknownPtr<Interface> from(source.component);
  FUnknownPtr<Interface> to(target.component);
  ASSERT_TRUE(from && to);
  pluginhost::ByteStream stream;
  ASSERT_EQ(from->getState(&stream), kResultOk);
  stream.position = 0;
  ASSERT_EQ(to->setState(&stream), kResultOk);
  pluginhost::ByteStream again;
  ASSERT_EQ(to->getState(&again), kResultOk);
  EXPECT_EQ(again.bytes, stream.bytes);
}

TEST(Vst3Plugin, StateRoundTripsByteForByteThroughComponentAndController)
{
  Vst3Instance source;
  Automate(source, {{0, 0.25}, {7, 0.125}, {12, 0.75}, {13, 1.0}, {kBypass, 1.0}});
  const std::vector<uint8_t> saved = SavedState(source);
  EXPECT_EQ(vst3test::DoubleAt(saved, 0), 0.25);
  EXPECT_EQ(vst3test::DoubleAt(saved, 8 * 12), 0.75);
  EXPECT_EQ(saved[176], 1);

  Vst3Instance viaComponent;
  ExpectStateTravelsByteForByte<IComponent>(source, viaComponent);
  EXPECT_EQ(SavedState(viaComponent), saved);
  EXPECT_EQ(viaComponent.controller->getParamNormalized(kBypass), 1.0);

  Vst3Instance viaController;
  ExpectStateTravelsByteForByte<IEditController>(source, viaController);
  EXPECT_EQ(SavedState(viaController), saved);
}

TEST(Vst3Plugin, StreamOfOnlyTheParameterBlockRestoresValuesButReportsFailure)
{
  Vst3Instance source;
  Automate(source, {{0, 0.25}, {14, 0.9}});
  std::vector<uint8_t> block = SavedState(source);
  block.resize(176);

  Vst3Instance target;
  Automate(target, {{kBypass, 1.0}});
  pluginhost::ByteStream stream(block);
  EXPECT_EQ(target.component->setState(&stream), kResultFalse);
  EXPECT_DOUBLE_EQ(target.controller->getParamNormalized(0), 0.25);
  EXPECT_DOUBLE_EQ(target.controller->getParamNormalized(14), 0.9);
  EXPECT_EQ(target.controller->getParamNormalized(kBypass), 1.0);  // as it was
}
}  // namespace
