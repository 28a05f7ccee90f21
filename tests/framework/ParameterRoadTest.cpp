#include "TestEffect.h"

#include "framework/IParameterView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Records what it is shown into the effect's call list, so the order of
// view, host and hook is visible in one place.
class RecordingView : public IParameterView
{
public:
  explicit RecordingView(std::vector<std::string>& calls) : calls(calls) {}
  void ApplyParameterFromPlugin(int index, double value, bool isNormalized) override
  {
    calls.push_back("view " + std::to_string(index) + " " + std::to_string(value) +
                    (isNormalized ? " normalized" : " plain"));
  }

private:
  std::vector<std::string>& calls;
};

struct Road
{
  ParamSource source;
  ParamForm form;
  double value;
  double stored;
  std::vector<std::string> calls;
};

class ParameterRoad : public ::testing::TestWithParam<Road>
{
};

}  // namespace

TEST_P(ParameterRoad, EachSourceReachesWhoItShould)
{
  const Road& road = GetParam();
  TestEffect effect;
  effect.InitParams();  // parameter 3 spans 0..4
  RecordingView view(effect.calls);
  effect.SetParameterView(&view);
  effect.ChangeParameter(3, road.value, road.form, road.source);
  EXPECT_EQ(effect.GetParam(3)->Value(), road.stored);
  EXPECT_EQ(effect.calls, road.calls);
  // Out of range, nobody hears anything.
  effect.calls.clear();
  effect.ChangeParameter(22, road.value, road.form, road.source);
  effect.ChangeParameter(-1, road.value, road.form, road.source);
  EXPECT_TRUE(effect.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sources, ParameterRoad,
    ::testing::Values(
        Road{ParamSource::Host,
             ParamForm::Normalized,
             0.5,
             2.0,
             {"view 3 0.500000 normalized", "changed 3"}},
        Road{ParamSource::Host, ParamForm::Plain, 7.0, 4.0, {"view 3 7.000000 plain", "changed 3"}},
        Road{ParamSource::Editor, ParamForm::Normalized, 0.25, 1.0, {"edit 3", "changed 3"}},
        Road{ParamSource::Controller,
             ParamForm::Normalized,
             1.0,
             4.0,
             {"view 3 1.000000 normalized", "changed 3"}},
        Road{ParamSource::PresetFile,
             ParamForm::Plain,
             1.5,
             1.5,
             {"view 3 1.500000 normalized", "changed 3"}},
        Road{ParamSource::State, ParamForm::Plain, -2.0, 0.0, {}}));

TEST(ParameterRoadView, AClearedViewLeavesTheChangeAndItsHook)
{
  TestEffect effect;
  effect.InitParams();
  RecordingView view(effect.calls);
  effect.SetParameterView(&view);
  effect.SetParameterView(nullptr);
  // No editor attached: the change still lands and its hook runs.
  effect.ChangeParameter(1, 0.5, ParamForm::Normalized, ParamSource::Host);
  EXPECT_EQ(effect.GetParam(1)->Value(), 1.0);
  EXPECT_EQ(effect.calls, (std::vector<std::string>{"changed 1"}));
}
