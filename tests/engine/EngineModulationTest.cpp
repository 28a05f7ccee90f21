#include "engine/Engine.h"

#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <vector>

namespace
{

using engine_test::MakeEngine;
using engine_test::Noise;
using engine_test::Process;
using engine_test::SameInBoth;
using engine_test::Stereo;

// Centre value that maps to `samples` in the chorus set (199 x c + 1).
double ChorusCentre(double samples)
{
  return (samples - 1.0) / 199.0;
}

// Centre of mass of the impulse response around `around`: with linear
// interpolation it is exactly the delay the line was read with.
double ArrivalTime(const std::vector<double>& response, std::size_t around)
{
  double weight = 0.0;
  double moment = 0.0;
  for (std::size_t n = around - 3; n <= around + 3; ++n)
  {
    weight += response[n];
    moment += response[n] * static_cast<double>(n);
  }
  return moment / weight;
}

struct ArrivalCase
{
  double mode;
  double centre;         // parameter value
  double expectedDelay;  // C + D in samples
};

void PrintTo(const ArrivalCase& arrival, std::ostream* stream)
{
  *stream << (arrival.mode >= 1.0 ? "flanger" : "chorus") << " at " << arrival.expectedDelay;
}

class EngineImpulseArrival : public testing::TestWithParam<ArrivalCase>
{
};

// The oscillators start at their peak, so right after reset the delayed
// impulse arrives at C + D.
TEST_P(EngineImpulseArrival, LandsAtCentrePlusDepth)
{
  const ArrivalCase& arrival = GetParam();
  const auto state = MakeEngine(44100.0);
  EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  EngineSetParameter(state.get(), kQuillwaveMode, arrival.mode);
  EngineSetParameter(state.get(), kQuillwaveFeedback, 0.0);
  EngineSetParameter(state.get(), kQuillwaveBandwidth, 0.0);  // D = 0.1
  EngineSetParameter(state.get(), kQuillwaveCenter, arrival.centre);
  EngineSetParameter(state.get(), kQuillwaveRate, 0.0);
  std::vector<double> impulse(1024, 0.0);
  impulse[0] = 1.0;
  const Stereo output = Process(*state, SameInBoth(impulse));
  const auto around = static_cast<std::size_t>(arrival.expectedDelay);
  EXPECT_NEAR(ArrivalTime(output.left, around), arrival.expectedDelay, 1e-3);
  EXPECT_NEAR(ArrivalTime(output.right, around), arrival.expectedDelay, 1e-3);
  EXPECT_NEAR(output.left[around], 0.9, 1e-3);
  EXPECT_NEAR(output.left[around + 1], 0.1, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Modes, EngineImpulseArrival,
                         testing::Values(ArrivalCase{0.0, ChorusCentre(100.0), 100.1},
                                         ArrivalCase{0.0, 1.0, 200.1}, ArrivalCase{1.0, 1.0, 400.1},
                                         ArrivalCase{1.0, 0.0, 10.1}));

// Through a line read with delay d, a ramp a x n comes out as a x (n - d)
// exactly, so the delay sweep can be read back from the output.
std::vector<double> MeasuredDelay(const std::vector<double>& output, double slope)
{
  std::vector<double> delay(output.size());
  for (std::size_t n = 0; n < output.size(); ++n)
  {
    const double dry = slope * static_cast<double>(n);
    delay[n] = static_cast<double>(n) - (output[n] - dry) / slope;
  }
  return delay;
}

// Frequency of the sweep from its crossings of `centre`, located by linear
// interpolation between samples.
double SweepFrequency(const std::vector<double>& delay, double centre, std::size_t skip,
                      double sampleRate)
{
  double first = -1.0;
  double last = -1.0;
  int crossings = 0;
  for (std::size_t n = skip + 1; n < delay.size(); ++n)
  {
    const double a = delay[n - 1] - centre;
    const double b = delay[n] - centre;
    if ((a < 0.0) != (b < 0.0))
    {
      const double time = static_cast<double>(n - 1) + a / (a - b);
      if (first < 0.0)
      {
        first = time;
      }
      last = time;
      ++crossings;
    }
  }
  EXPECT_GE(crossings, 8);
  return 0.5 * (crossings - 1) * sampleRate / (last - first);
}

TEST(EngineModulation, RightPathSweepsOnePointThreeOneTimesFaster)
{
  constexpr double kRate = 44100.0;
  constexpr double kSlope = 1e-6;
  const auto state = MakeEngine(kRate);
  EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  EngineSetParameter(state.get(), kQuillwaveFeedback, 0.0);
  EngineSetParameter(state.get(), kQuillwaveBandwidth, 1.0);  // D = 20
  EngineSetParameter(state.get(), kQuillwaveCenter, ChorusCentre(100.0));
  EngineSetParameter(state.get(), kQuillwaveRate, 1.0);  // 5 Hz
  std::vector<double> ramp(static_cast<std::size_t>(kRate));
  for (std::size_t n = 0; n < ramp.size(); ++n)
  {
    ramp[n] = kSlope * static_cast<double>(n);
  }
  const Stereo output = Process(*state, SameInBoth(ramp), 512);
  const std::vector<double> left = MeasuredDelay(output.left, kSlope);
  const std::vector<double> right = MeasuredDelay(output.right, kSlope);
  EXPECT_NEAR(left[1000], 100.0 + 20.0 * std::cos(2.0 * 3.141592653589793 * 5.0 * 1000.0 / kRate),
              1e-3);

  const double leftFrequency = SweepFrequency(left, 100.0, 200, kRate);
  const double rightFrequency = SweepFrequency(right, 100.0, 200, kRate);
  EXPECT_NEAR(leftFrequency, 5.0, 0.01);
  EXPECT_NEAR(rightFrequency / leftFrequency, 1.31, 0.002);
}

TEST(EngineModulation, SwitchingOffAndOnReplaysTheLinesFromPositionsThatMovedOn)
{
  const auto state = MakeEngine(44100.0);
  EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  EngineSetParameter(state.get(), kQuillwaveFeedback, 0.0);
  EngineSetParameter(state.get(), kQuillwaveBandwidth, 0.0);
  EngineSetParameter(state.get(), kQuillwaveCenter, ChorusCentre(100.0));
  EngineSetParameter(state.get(), kQuillwaveRate, 0.0);
  const std::vector<double> noise = Noise(1000, 0.5, 21);
  Process(*state, SameInBoth(noise));

  EngineSetParameter(state.get(), kMainFxOffOn, 0.0);
  Process(*state, SameInBoth(std::vector<double>(30, 0.0)));
  EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  const Stereo replay = Process(*state, SameInBoth(std::vector<double>(200, 0.0)));

  // Frame k sits at position 1030 + k and reads about 100.1 samples back:
  // the tail of the noise for k < 70, the never-written slots of the pause
  // after that. The oscillator held its phase through the pause.
  for (std::size_t k = 0; k < 60; ++k)
  {
    const double phase = 2.0 * 3.141592653589793 * 0.5 * static_cast<double>(1000 + k) / 44100.0;
    const double delay = 100.0 + 0.1 * std::cos(phase);
    const double position = static_cast<double>(1030 + k) - delay;
    const auto index = static_cast<std::size_t>(position);
    const double frac = position - static_cast<double>(index);
    const double expected = noise[index] + (noise[index + 1] - noise[index]) * frac;
    ASSERT_NEAR(replay.left[k], expected, 1e-6) << k;
  }
  for (std::size_t k = 75; k < 95; ++k)
  {
    ASSERT_NEAR(replay.left[k], 0.0, 1e-12) << k;
  }
}

TEST(EngineModulation, NanModeCollapsesTheDelayToTheOneSampleMinimum)
{
  const auto state = MakeEngine(44100.0);
  EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  EngineSetParameter(state.get(), kQuillwaveMode, std::nan(""));
  const std::vector<double> noise = Noise(300, 0.5, 22);
  const Stereo output = Process(*state, SameInBoth(noise));
  // D, C, feedback and rate are 0: each frame adds the previous input.
  for (std::size_t n = 1; n < noise.size(); ++n)
  {
    ASSERT_NEAR(output.left[n], noise[n] + noise[n - 1], 1e-12) << n;
  }
}

}  // namespace
