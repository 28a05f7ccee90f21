// The reported tail covers the ringing of every setting: an impulse through
// the slowest-decaying settings dies below -90 dB within it, at every rate.
#include "engine/EngineTail.h"

#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>

namespace engine_test
{
namespace
{

constexpr double kFloor = 3.1622776601683795e-5;  // -90 dB

struct Setting
{
  double bandwidth;
  double rate;
  double tone;
  double saturation;
};

// The index of the last output sample at or above the floor, -1 for none.
long LastAudibleSample(double sampleRate, const Setting& setting, std::size_t frames)
{
  EnginePtr engine = MakeEngine(sampleRate);
  const std::pair<EngineParam, double> values[] = {{kMainFxOffOn, 1.0},
                                                   {kQuillwaveMode, 1.0},
                                                   {kQuillwaveFeedback, 1.0},
                                                   {kQuillwaveCenter, 1.0},
                                                   {kQuillwaveBandwidth, setting.bandwidth},
                                                   {kQuillwaveRate, setting.rate},
                                                   {kFilterTone, setting.tone},
                                                   {kSaturationGain, setting.saturation},
                                                   {kMainInputGain, 1.0},
                                                   {kMainOutputVolume, 1.0},
                                                   {kMainOutputBlend, 1.0}};
  for (const auto& [index, value] : values)
  {
    EngineSetParameter(engine.get(), index, value);
  }
  std::vector<double> impulse(frames, 0.0);
  impulse[0] = 1.0;
  const Stereo out = Process(*engine, SameInBoth(impulse), 512);
  long last = -1;
  for (std::size_t i = 0; i < frames; ++i)
  {
    if (std::fabs(out.left[i]) >= kFloor || std::fabs(out.right[i]) >= kFloor)
    {
      last = static_cast<long>(i);
    }
  }
  return last;
}

class EngineTail : public ::testing::TestWithParam<double>
{
};

TEST_P(EngineTail, ImpulsesDieBelowMinus90DecibelsWithinTheTail)
{
  const double sampleRate = GetParam();
  const int32_t tail = EngineTailSamples(sampleRate);
  ASSERT_GT(tail, 0);
  const std::size_t frames =
      static_cast<std::size_t>(tail) + static_cast<std::size_t>(sampleRate / 2);
  long longest = -1;
  for (double bandwidth : {0.0, 1.0})
  {
    for (double rate : {0.0, 1.0})
    {
      for (double tone : {0.0, 0.55, 1.0})
      {
        for (double saturation : {0.0, 1.0})
        {
          const Setting setting{bandwidth, rate, tone, saturation};
          const long last = LastAudibleSample(sampleRate, setting, frames);
          EXPECT_LT(last, tail) << "bandwidth " << bandwidth << ", rate " << rate << ", tone "
                                << tone << ", saturation " << saturation;
          longest = std::max(longest, last);
        }
      }
    }
  }
  // A bound, not a guess: within a small factor of the longest ringing found.
  EXPECT_LT(tail, 3 * longest);
  std::printf("tail at %.0f Hz: %d samples reported, longest ringing above -90 dB %ld\n",
              sampleRate, tail, longest);
}

INSTANTIATE_TEST_SUITE_P(Rates, EngineTail, ::testing::Values(44100.0, 48000.0, 96000.0, 192000.0),
                         [](const ::testing::TestParamInfo<double>& info) {
                           return std::to_string(static_cast<int>(info.param));
                         });

TEST(EngineTailLimits, RatesTheEngineCannotRunAtHaveNoTail)
{
  EXPECT_EQ(EngineTailSamples(0.0), 0);
  EXPECT_EQ(EngineTailSamples(-48000.0), 0);
  EXPECT_EQ(EngineTailSamples(std::nan("")), 0);
  EXPECT_EQ(EngineTailSamples(INFINITY), 0);
  EXPECT_GT(EngineTailSamples(8000.0), 0);
}

}  // namespace
}  // namespace engine_test
