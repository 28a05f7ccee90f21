#include "engine/Saturator.h"
#include "engine/Engine.h"

#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{

using engine_test::FitSine;
using engine_test::MakeEngine;
using engine_test::Process;
using engine_test::SameInBoth;
using engine_test::Sine;
using engine_test::Stereo;

constexpr double kRate = 44100.0;
constexpr double kPi = 3.141592653589793;

engine_test::EnginePtr EngineWithSaturation(double saturation)
{
  auto state = MakeEngine(kRate);
  EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  EngineSetParameter(state.get(), kQuillwaveFeedback, 0.0);
  EngineSetParameter(state.get(), kQuillwaveBandwidth, 0.0);
  EngineSetParameter(state.get(), kQuillwaveCenter, 0.0);
  EngineSetParameter(state.get(), kQuillwaveRate, 0.0);
  EngineSetParameter(state.get(), kSaturationGain, saturation);
  return state;
}

TEST(Saturator, LagsOneAndAHalfSamplesWithTheSmallSignalGainOfTheShaper)
{
  constexpr double kFrequency = 2000.0;
  constexpr std::size_t kFrames = 8192;
  constexpr double kSaturation = 0.2;
  const Stereo input = SameInBoth(Sine(kFrames, kFrequency, kRate, 0.001));
  const auto clean = EngineWithSaturation(0.0);
  const auto saturated = EngineWithSaturation(kSaturation);
  const auto off = FitSine(Process(*clean, input).left, kFrequency, kRate, 4096, kFrames);
  const auto on = FitSine(Process(*saturated, input).left, kFrequency, kRate, 4096, kFrames);

  const double omega = 2.0 * kPi * kFrequency / kRate;
  double lag = (off.phase - on.phase) / omega;
  lag -= std::round((lag - 1.5) * omega / (2.0 * kPi)) * 2.0 * kPi / omega;
  EXPECT_NEAR(lag, 1.5, 0.02);

  // Small signals: tanh(1.3 u) / tanh(1.3) ~ 1.5086 u, through the drive,
  // the make-up gain and the 1-2-1 smoothing (cos(w / 2) at 2 kHz).
  const double drive = 0.5 * kSaturation;
  const double expectedGain = (1.0 + 5.0 * drive * drive) * 1.3 * 1.1604655035579 *
                              (1.0 - 0.5 * std::sqrt(drive)) * std::cos(omega / 2.0);
  EXPECT_NEAR(on.amplitude / off.amplitude, expectedGain, 0.01 * expectedGain);
}

TEST(Saturator, DcIsBlockedOnlyWhileTheSaturatorIsIn)
{
  const Stereo constant = SameInBoth(std::vector<double>(60000, 0.1));
  const auto clean = EngineWithSaturation(0.0);
  const auto saturated = EngineWithSaturation(0.5);
  EXPECT_NEAR(Process(*clean, constant).left.back(), 0.2, 1e-3);  // dry plus delayed
  EXPECT_NEAR(Process(*saturated, constant).left.back(), 0.0, 1e-5);
}

TEST(Saturator, LoudInputIsShapedIntoABoundedSignal)
{
  const auto saturated = EngineWithSaturation(1.0);
  EngineSetParameter(saturated.get(), kMainInputGain, 1.0);
  const Stereo output = Process(*saturated, SameInBoth(Sine(20000, 100.0, kRate, 50.0)));
  double peak = 0.0;
  for (std::size_t n = 10000; n < output.left.size(); ++n)
  {
    peak = std::fmax(peak, std::fabs(output.left[n]));
  }
  // The shaper saturates at 1.16 and the make-up gain at full drive is
  // 0.646: the DC blocker can only add a small overshoot to that.
  EXPECT_LT(peak, 1.0);
  EXPECT_GT(peak, 0.6);
}

TEST(Saturator, RunsWhileSwitchedOutSoItsMemoriesAreCurrent)
{
  const auto state = EngineWithSaturation(0.0);
  const Stereo output = Process(*state, SameInBoth(Sine(4096, 440.0, kRate, 0.5)));
  // Out, the path result is the filter output, which is also the latest
  // driven input at unity drive; blend 1 at unity gains passes it on.
  EXPECT_NEAR(state->satState1[kSatDrivenInput], output.left.back(), 1e-15);
  EXPECT_NEAR(state->satState2[kSatDrivenInput], output.right.back(), 1e-15);
  EXPECT_NE(state->satState1[kSatHalfSample], 0.0);
  EXPECT_NE(state->dcState1[kDcOutput], 0.0);
  EXPECT_NE(state->dcState2[kDcOutput], 0.0);
}

}  // namespace
