#include "tests/vst3/Vst3Fixture.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using vst3test::Text;

namespace
{
constexpr ParamID kPreset = 0x70727374;
constexpr ParamID kBypass = 0x62706173;

class Vst3Parameters : public vst3test::Vst3Fixture
{
protected:
  ParameterInfo Info(int32 index)
  {
    ParameterInfo info = {};
    EXPECT_EQ(effect->getParameterInfo(index, info), kResultOk);
    return info;
  }

  std::u16string String(ParamID id, ParamValue normalized)
  {
    String128 text = {};
    EXPECT_EQ(effect->getParamStringByValue(id, normalized, text), kResultOk);
    return Text(text);
  }
};

TEST_F(Vst3Parameters, EnumeratesProgramChangeBypassThenPluginParameters)
{
  ASSERT_EQ(effect->getParameterCount(), 6);

  const ParameterInfo preset = Info(0);
  EXPECT_EQ(preset.id, kPreset);
  EXPECT_EQ(Text(preset.title), u"Preset");
  EXPECT_EQ(preset.stepCount, 2);  // the number of program slots
  EXPECT_EQ(preset.flags, ParameterInfo::kIsProgramChange);
  EXPECT_EQ(preset.unitId, kRootUnitId);

  const ParameterInfo bypass = Info(1);
  EXPECT_EQ(bypass.id, kBypass);
  EXPECT_EQ(Text(bypass.title), u"Bypass");
  EXPECT_EQ(bypass.flags, 0x10009);
  EXPECT_EQ(bypass.stepCount, 1);
  ParamValue on = 0.0;
  TChar onText[] = {'o', 'n', 0};
  EXPECT_EQ(effect->getParamValueByString(kBypass, onText, on), kResultOk);
  EXPECT_EQ(on, 1.0);

  const ParameterInfo gain = Info(2);
  EXPECT_EQ(gain.id, 0u);
  EXPECT_EQ(Text(gain.title), u"Gain");
  EXPECT_EQ(Text(gain.units), u"dB");
  EXPECT_EQ(gain.stepCount, 0);
  EXPECT_EQ(gain.flags, ParameterInfo::kCanAutomate);
  EXPECT_DOUBLE_EQ(gain.defaultNormalizedValue, 0.25);

  // A host that probes past the end gets a refusal, not an exception.
  ParameterInfo beyond = {};
  EXPECT_EQ(effect->getParameterInfo(6, beyond), kResultFalse);
  EXPECT_EQ(effect->getParameterInfo(-1, beyond), kResultFalse);
}

TEST_F(Vst3Parameters, BoolAndEnumBecomeListsOfTheirDisplayTexts)
{
  const ParameterInfo toggle = Info(3);
  EXPECT_EQ(toggle.flags, ParameterInfo::kIsList | ParameterInfo::kCanAutomate);
  EXPECT_EQ(toggle.stepCount, 1);

  const ParameterInfo mode = Info(4);
  EXPECT_EQ(mode.stepCount, 2);
  EXPECT_DOUBLE_EQ(mode.defaultNormalizedValue, 0.5);  // the plug-in's default, "Medium"
  TChar hard[] = {'H', 'a', 'r', 'd', 0};
  ParamValue normalized = -1.0;
  EXPECT_EQ(effect->getParamValueByString(2, hard, normalized), kResultOk);
  EXPECT_DOUBLE_EQ(normalized, 1.0);
  EXPECT_EQ(String(2, 0.5), u"Medium");
  EXPECT_EQ(String(1, 1.0), u"on");
}

TEST_F(Vst3Parameters, GroupsBecomeUnitsInFirstSeenOrder)
{
  EXPECT_EQ(Info(2).unitId, kRootUnitId);
  EXPECT_EQ(Info(3).unitId, 1);  // "Main"
  EXPECT_EQ(Info(4).unitId, 2);  // "Tone"
  EXPECT_EQ(Info(5).unitId, 1);  // "Main" again

  ASSERT_EQ(effect->getUnitCount(), 3);
  UnitInfo unit = {};
  ASSERT_EQ(effect->getUnitInfo(0, unit), kResultOk);
  EXPECT_EQ(unit.id, kRootUnitId);
  EXPECT_EQ(unit.parentUnitId, kNoParentUnitId);
  EXPECT_EQ(unit.programListId, kNoProgramListId);
  EXPECT_EQ(Text(unit.name), u"Root Unit");
  ASSERT_EQ(effect->getUnitInfo(2, unit), kResultOk);
  EXPECT_EQ(unit.id, 2);
  EXPECT_EQ(unit.parentUnitId, kRootUnitId);
  EXPECT_EQ(Text(unit.name), u"Tone");
  EXPECT_EQ(effect->getUnitInfo(3, unit), kResultFalse);
  EXPECT_EQ(effect->getUnitInfo(-1, unit), kResultFalse);
}

TEST_F(Vst3Parameters, DisplayStringsFollowTheParameterWithoutRoundingOrClamping)
{
  EXPECT_EQ(String(0, 0.25), u"25.00000");
  EXPECT_EQ(String(0, 1.5), u"150.00000");
  String128 text = {};
  EXPECT_EQ(effect->getParamStringByValue(kPreset, 0.0, text), kResultFalse);
  EXPECT_EQ(effect->getParamStringByValue(kBypass, 0.0, text), kResultFalse);
  EXPECT_EQ(effect->getParamStringByValue(4, 0.0, text), kResultFalse);
}

TEST_F(Vst3Parameters, ConversionsAndValues)
{
  // The plug-in's own normalisation clamps; the SDK's plain conversion is linear.
  EXPECT_DOUBLE_EQ(effect->plainParamToNormalized(0, 50.0), 0.5);
  EXPECT_DOUBLE_EQ(effect->plainParamToNormalized(0, 400.0), 1.0);
  EXPECT_DOUBLE_EQ(effect->plainParamToNormalized(kBypass, 7.0), 7.0);
  EXPECT_DOUBLE_EQ(effect->normalizedParamToPlain(0, 0.75), 75.0);
  EXPECT_DOUBLE_EQ(effect->normalizedParamToPlain(99, 0.75), 0.75);

  effect->changes.clear();
  EXPECT_EQ(effect->setParamNormalized(0, 0.8), kResultOk);
  EXPECT_DOUBLE_EQ(effect->GetParam(0)->Value(), 80.0);
  EXPECT_DOUBLE_EQ(effect->getParamNormalized(0), 0.8);
  EXPECT_TRUE(effect->changes.empty());  // a controller-side set runs no change hook
  EXPECT_EQ(effect->setParamNormalized(4, 1.0), kResultFalse);
  EXPECT_EQ(effect->getParamNormalized(kBypass), 0.0);
  EXPECT_EQ(effect->getParamNormalized(kPreset), 0.0);
}

TEST_F(Vst3Parameters, ProgramListHoldsTheSlotNames)
{
  EXPECT_EQ(effect->getProgramListCount(), 0);
  ProgramListInfo list = {};
  ASSERT_EQ(effect->getProgramListInfo(0, list), kResultOk);
  EXPECT_EQ(list.id, static_cast<ProgramListID>(kPreset));
  EXPECT_EQ(Text(list.name), u"Factory Presets");
  EXPECT_EQ(list.programCount, 2);
  EXPECT_EQ(effect->getProgramListInfo(1, list), kResultFalse);

  String128 name = {};
  ASSERT_EQ(effect->getProgramName(kPreset, 0, name), kResultOk);
  EXPECT_EQ(Text(name), u"Init");
  ASSERT_EQ(effect->getProgramName(kPreset, 1, name), kResultOk);
  EXPECT_EQ(Text(name), u"empty");
  ASSERT_EQ(effect->getProgramName(kPreset, 9, name), kResultOk);
  EXPECT_EQ(Text(name), u"");
  EXPECT_EQ(effect->getProgramName(1, 0, name), kResultFalse);
}

TEST_F(Vst3Parameters, EditsReachTheComponentHandler)
{
  effect->BeginHostEdit(0);
  effect->SetParamFromEditor(0, 0.4);
  effect->EndHostEdit(0);
  ASSERT_EQ(handler.calls.size(), 3u);
  EXPECT_EQ(handler.calls[0].what, "begin");
  EXPECT_EQ(handler.calls[1].what, "perform");
  EXPECT_EQ(handler.calls[1].id, 0u);
  EXPECT_DOUBLE_EQ(handler.calls[1].value, 0.4);
  EXPECT_EQ(handler.calls[2].what, "end");

  effect->ChangeLatency(64);
  ASSERT_EQ(handler.calls.size(), 4u);
  EXPECT_EQ(handler.calls[3].what, "restart");
  EXPECT_EQ(handler.calls[3].id, static_cast<uint32>(kLatencyChanged));
  EXPECT_EQ(effect->getLatencySamples(), 64u);
}
}  // namespace
