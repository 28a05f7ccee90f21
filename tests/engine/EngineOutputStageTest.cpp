#include "engine/Engine.h"

#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <vector>

namespace
{

using engine_test::MakeEngine;
using engine_test::Noise;
using engine_test::Process;
using engine_test::Stereo;

double Limited(double value)
{
  return std::clamp(value, -1.2, 1.2);
}

// Settings under which the processed path is as busy as it gets.
void SetBusyEffect(EngineState& state)
{
  EngineSetParameter(&state, kQuillwaveFeedback, 1.0);
  EngineSetParameter(&state, kQuillwaveBandwidth, 1.0);
  EngineSetParameter(&state, kQuillwaveRate, 1.0);
  EngineSetParameter(&state, kFilterTone, 0.2);
  EngineSetParameter(&state, kSaturationGain, 0.8);
}

Stereo LoudStereo(std::size_t frames)
{
  Stereo input{Noise(frames, 2.0, 1), Noise(frames, 2.0, 2)};
  input.left[10] = 1.1;
  input.left[11] = 1.5;
  input.left[12] = -3.0;
  return input;
}

TEST(EngineOutputStage, BypassPassesTheInputThroughTheLimitWhateverTheGains)
{
  const auto state = MakeEngine(44100.0);
  SetBusyEffect(*state);
  EngineSetParameter(state.get(), kMainInputGain, 1.0);
  EngineSetParameter(state.get(), kMainOutputVolume, 0.0);
  EngineSetParameter(state.get(), kMainInputMode, 3.0);  // routing does not reach the bypass
  const Stereo input = LoudStereo(2048);
  const Stereo output = Process(*state, input);
  for (std::size_t i = 0; i < input.left.size(); ++i)
  {
    ASSERT_EQ(output.left[i], Limited(input.left[i])) << i;
    ASSERT_EQ(output.right[i], Limited(input.right[i])) << i;
  }
  EXPECT_EQ(output.left[10], 1.1);
  EXPECT_EQ(output.left[11], 1.2);
  EXPECT_EQ(output.left[12], -1.2);
}

TEST(EngineOutputStage, ZeroBlendAtUnityGainsIsTheInput)
{
  const auto state = MakeEngine(48000.0);
  SetBusyEffect(*state);
  EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  EngineSetParameter(state.get(), kMainOutputBlend, 0.0);
  EngineSetParameter(state.get(), kQuillwaveMode, 1.0);
  const Stereo input = LoudStereo(4096);
  const Stereo output = Process(*state, input, 100);
  for (std::size_t i = 0; i < input.left.size(); ++i)
  {
    ASSERT_EQ(output.left[i], Limited(input.left[i])) << i;
    ASSERT_EQ(output.right[i], Limited(input.right[i])) << i;
  }
}

TEST(EngineOutputStage, GainsAreUnityAtTheMiddleAndPlusTwelveDecibelsAtTheTop)
{
  const auto state = MakeEngine(44100.0);
  EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  EngineSetParameter(state.get(), kMainOutputBlend, 0.0);
  const Stereo input{Noise(512, 0.25, 5), Noise(512, 0.25, 6)};
  const Stereo unity = Process(*state, input);
  EXPECT_EQ(unity.left, input.left);

  EngineSetParameter(state.get(), kMainInputGain, 1.0);
  EngineSetParameter(state.get(), kMainOutputVolume, 1.0);
  const Stereo loud = Process(*state, input);
  for (std::size_t i = 0; i < input.left.size(); ++i)
  {
    ASSERT_EQ(loud.left[i], 4.0 * input.left[i]);
  }
}

TEST(EngineOutputStage, TheProcessedSignalIsLimitedAtOnePointTwo)
{
  const auto state = MakeEngine(44100.0);
  EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  EngineSetParameter(state.get(), kMainInputGain, 1.0);
  EngineSetParameter(state.get(), kMainOutputVolume, 1.0);
  const Stereo output = Process(*state, Stereo{Noise(4096, 1.0, 7), Noise(4096, 1.0, 8)});
  const auto [low, high] = std::minmax_element(output.left.begin(), output.left.end());
  EXPECT_EQ(*low, -1.2);
  EXPECT_EQ(*high, 1.2);
}

TEST(EngineOutputStage, HalfwaySwitchRunsTheDelaysButOutputsTheBypass)
{
  const auto state = MakeEngine(44100.0);
  EngineSetParameter(state.get(), kMainFxOffOn, 0.5);
  const Stereo input{Noise(1000, 0.5, 9), Noise(1000, 0.5, 10)};
  const Stereo output = Process(*state, input);
  EXPECT_EQ(output.left, input.left);
  EXPECT_EQ(output.right, input.right);
  EXPECT_NE(state->lfoA.phase, 0u);
  EXPECT_NE(state->delayA.memory[500], 0.0);
}

TEST(EngineOutputStage, NanSwitchRunsTheDelaysAndOutputsSilence)
{
  const auto state = MakeEngine(44100.0);
  state->paramValues[kMainFxOffOn] = std::nan("");
  const Stereo output = Process(*state, Stereo{Noise(600, 0.5, 11), Noise(600, 0.5, 12)});
  EXPECT_EQ(output.left, std::vector<double>(600, 0.0));
  EXPECT_EQ(output.right, std::vector<double>(600, 0.0));
  EXPECT_NE(state->lfoB.phase, 0u);
}

TEST(EngineOutputStage, InPlaceProcessingMatchesSeparateBuffers)
{
  const auto separate = MakeEngine(44100.0);
  const auto inPlace = MakeEngine(44100.0);
  for (EngineState* state : {separate.get(), inPlace.get()})
  {
    SetBusyEffect(*state);
    EngineSetParameter(state, kMainFxOffOn, 1.0);
    EngineSetParameter(state, kMainOutputBlend, 0.6);
  }
  const Stereo input{Noise(3000, 0.8, 13), Noise(3000, 0.8, 14)};
  const Stereo expected = Process(*separate, input);
  Stereo buffers = input;
  ASSERT_EQ(EnginePerform(inPlace.get(), buffers.left.data(), buffers.right.data(),
                          buffers.left.data(), buffers.right.data(), 3000),
            0);
  EXPECT_EQ(buffers.left, expected.left);
  EXPECT_EQ(buffers.right, expected.right);
}

TEST(EngineOutputStage, ModeJustBelowOneIsTheChorusSet)
{
  const auto chorus = MakeEngine(44100.0);
  const auto almost = MakeEngine(44100.0);
  EngineSetParameter(almost.get(), kQuillwaveMode, 0.99);
  for (EngineState* state : {chorus.get(), almost.get()})
  {
    EngineSetParameter(state, kMainFxOffOn, 1.0);
  }
  const Stereo input{Noise(2000, 0.5, 15), Noise(2000, 0.5, 16)};
  EXPECT_EQ(Process(*chorus, input).left, Process(*almost, input).left);
}

// Blend 0 shows what entered each path: the dry signal after routing.
struct RoutingCase
{
  double mode;
  double expectedLeft;
  double expectedRight;
};

void PrintTo(const RoutingCase& routing, std::ostream* stream)
{
  *stream << "mode " << routing.mode;
}

class EngineInputRouting : public testing::TestWithParam<RoutingCase>
{
};

TEST_P(EngineInputRouting, FeedsThePathsFromTheSelectedInputs)
{
  const RoutingCase& routing = GetParam();
  const auto state = MakeEngine(44100.0);
  EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  EngineSetParameter(state.get(), kMainOutputBlend, 0.0);
  state->paramValues[kMainInputMode] = routing.mode;
  const Stereo output =
      Process(*state, Stereo{std::vector<double>(8, 0.5), std::vector<double>(8, -0.25)});
  EXPECT_EQ(output.left.back(), routing.expectedLeft);
  EXPECT_EQ(output.right.back(), routing.expectedRight);
}

INSTANTIATE_TEST_SUITE_P(Positions, EngineInputRouting,
                         testing::Values(RoutingCase{0.0, 0.5, -0.25}, RoutingCase{1.0, 0.5, 0.5},
                                         RoutingCase{2.0, -0.25, -0.25},
                                         RoutingCase{3.0, 0.125, 0.125}, RoutingCase{1.9, 0.5, 0.5},
                                         RoutingCase{std::nan(""), 0.5, -0.25},
                                         RoutingCase{-4.0, 0.5, -0.25},
                                         RoutingCase{1e300, 0.125, 0.125}));

}  // namespace
