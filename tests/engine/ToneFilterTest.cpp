#include "engine/ToneFilter.h"
#include "engine/Engine.h"

#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{

using engine_test::Decibels;
using engine_test::FitSine;
using engine_test::MakeEngine;
using engine_test::Process;
using engine_test::SameInBoth;
using engine_test::Sine;

constexpr double kPi = 3.141592653589793;
constexpr std::size_t kFrames = 16384;
constexpr std::size_t kSettle = 8192;

// Amplitude of a sine of `frequency` after the whole effect at tone setting
// `tone`. The delay stage is set to a short fixed comb that is the same for
// every tone setting, so ratios between settings isolate the tone filter.
double OutputAmplitude(double sampleRate, double tone, double frequency)
{
  const auto state = MakeEngine(sampleRate);
  EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  EngineSetParameter(state.get(), kQuillwaveFeedback, 0.0);
  EngineSetParameter(state.get(), kQuillwaveBandwidth, 0.0);
  EngineSetParameter(state.get(), kQuillwaveCenter, 0.0);
  EngineSetParameter(state.get(), kQuillwaveRate, 0.0);
  EngineSetParameter(state.get(), kFilterTone, tone);
  const auto output = Process(*state, SameInBoth(Sine(kFrames, frequency, sampleRate, 0.25)));
  return FitSine(output.left, frequency, sampleRate, kSettle, kFrames).amplitude;
}

// Magnitude of the digital one-pole designed for `cutoff` with a prewarped
// bilinear transform: -3.01 dB exactly at the cutoff.
double OnePoleRatio(double frequency, double cutoff, double sampleRate)
{
  return std::tan(kPi * frequency / sampleRate) / std::tan(kPi * cutoff / sampleRate);
}

double LowPassDecibels(double frequency, double cutoff, double sampleRate)
{
  const double ratio = OnePoleRatio(frequency, cutoff, sampleRate);
  return Decibels(1.0 / std::sqrt(1.0 + ratio * ratio));
}

double HighPassDecibels(double frequency, double cutoff, double sampleRate)
{
  const double ratio = OnePoleRatio(frequency, cutoff, sampleRate);
  return Decibels(ratio / std::sqrt(1.0 + ratio * ratio));
}

class ToneFilterResponse : public testing::TestWithParam<double>
{
};

TEST_P(ToneFilterResponse, BottomIsAOnePoleLowPassAt179Hz)
{
  const double rate = GetParam();
  for (double frequency : {40.0, 179.84, 400.0, 1000.0, 3000.0, 9000.0})
  {
    const double measured =
        Decibels(OutputAmplitude(rate, 0.0, frequency) / OutputAmplitude(rate, 0.5, frequency));
    EXPECT_NEAR(measured, LowPassDecibels(frequency, 179.84, rate), 0.1) << frequency << " Hz";
  }
}

TEST_P(ToneFilterResponse, TopIsAOnePoleHighPassAt10249Hz)
{
  const double rate = GetParam();
  for (double frequency : {300.0, 1000.0, 4000.0, 10249.76, 15000.0})
  {
    const double measured =
        Decibels(OutputAmplitude(rate, 1.0, frequency) / OutputAmplitude(rate, 0.5, frequency));
    EXPECT_NEAR(measured, HighPassDecibels(frequency, 10249.76, rate), 0.1) << frequency << " Hz";
  }
}

INSTANTIATE_TEST_SUITE_P(Rates, ToneFilterResponse, testing::Values(44100.0, 96000.0));

TEST(ToneFilter, MiddleSettingIsFlat)
{
  const ToneConstants tone = ToneConstantsFor(0.8 * 0.5 + 0.1, 44100.0);
  EXPECT_NEAR(tone.fade, 0.0, 1e-15);
  double memory = 0.0;
  for (double input : engine_test::Noise(500, 1.0, 4))
  {
    ASSERT_NEAR(ToneFilterProcess(memory, input, tone), input, 1e-14);
  }
}

TEST(ToneFilter, FadeZoneJoinsTheFlatMiddleWithoutAJump)
{
  // Just inside the edges of the fade zone the weight is close to 1, and it
  // runs down to 0 at the middle from both sides.
  EXPECT_NEAR(ToneConstantsFor(0.8 * 0.4376 + 0.1, 44100.0).fade, 1.0, 2e-3);
  EXPECT_NEAR(ToneConstantsFor(0.8 * 0.5624 + 0.1, 44100.0).fade, 1.0, 2e-3);
  EXPECT_LT(ToneConstantsFor(0.8 * 0.49 + 0.1, 44100.0).fade, 0.2);
  EXPECT_LT(ToneConstantsFor(0.8 * 0.51 + 0.1, 44100.0).fade, 0.2);
  EXPECT_EQ(ToneConstantsFor(0.8 * 0.4 + 0.1, 44100.0).fade, 1.0);
}

TEST(ToneFilter, UnusableSampleRatesLeaveTheSignalUnfiltered)
{
  for (double rate : {0.0, -48000.0, std::nan(""), 1e-310})
  {
    const ToneConstants tone = ToneConstantsFor(0.1, rate);
    EXPECT_EQ(tone.k, 0.0) << rate;
    double memory = 0.0;
    EXPECT_EQ(ToneFilterProcess(memory, 0.5, tone), 0.0) << rate;  // low-pass with k = 0
    EXPECT_TRUE(std::isfinite(memory));
  }
}

}  // namespace
