// The tail of a sound never decays into subnormal numbers: after a loud burst
// and a minute of silence at full feedback, every recursive memory of the
// engine holds either 0 or a normal number. Subnormal arithmetic is many times
// slower on some processors, so a memory left there would make every later
// block of silence expensive (bench/denormal_bench measures the cost; this
// checks the cause, whatever the processor).
#include "engine/Engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace
{
constexpr double kSampleRate = 48000.0;
constexpr int32_t kBlock = 512;

bool NotSubnormal(double value)
{
  return std::fpclassify(value) != FP_SUBNORMAL;
}

int CountSubnormal(const double* values, int32_t count)
{
  int found = 0;
  for (int32_t i = 0; i < count; ++i)
    found += NotSubnormal(values[i]) ? 0 : 1;
  return found;
}

class DenormalTail : public ::testing::TestWithParam<double>
{
protected:
  // A flanger or chorus at full feedback with the saturator and a low-pass
  // tone; a second of a loud chord, then a minute of silence.
  DenormalTail() : engine(EngineCreate(kSampleRate))
  {
    EngineSetParameter(engine.get(), kMainFxOffOn, 1.0);
    EngineSetParameter(engine.get(), kQuillwaveMode, GetParam());
    EngineSetParameter(engine.get(), kQuillwaveFeedback, 1.0);
    EngineSetParameter(engine.get(), kSaturationGain, 0.5);
    EngineSetParameter(engine.get(), kFilterTone, 0.2);
    std::vector<double> left(kBlock), right(kBlock);
    for (int64_t position = 0; position < static_cast<int64_t>(kSampleRate); position += kBlock)
    {
      for (int32_t n = 0; n < kBlock; ++n)
      {
        const double t = static_cast<double>(position + n) / kSampleRate;
        left[n] = 0.9 * std::sin(2 * M_PI * 220 * t) + 0.9 * std::sin(2 * M_PI * 331 * t);
        right[n] = 0.9 * std::sin(2 * M_PI * 277 * t) + 0.9 * std::sin(2 * M_PI * 415 * t);
      }
      Perform(left, right);
    }
    std::fill(left.begin(), left.end(), 0.0);
    std::fill(right.begin(), right.end(), 0.0);
    for (int64_t position = 0; position < static_cast<int64_t>(60 * kSampleRate);
         position += kBlock)
      Perform(left, right);
  }

  void Perform(const std::vector<double>& left, const std::vector<double>& right)
  {
    ASSERT_EQ(EnginePerform(engine.get(), left.data(), right.data(), outLeft.data(),
                            outRight.data(), kBlock),
              0);
  }

  std::unique_ptr<EngineState, EngineStateDeleter> engine;
  std::vector<double> outLeft = std::vector<double>(kBlock), outRight = std::vector<double>(kBlock);
};

TEST_P(DenormalTail, DelayLinesHoldNoSubnormal)
{
  EXPECT_EQ(CountSubnormal(engine->delayA.memory, engine->delayA.size), 0);
  EXPECT_EQ(CountSubnormal(engine->delayB.memory, engine->delayB.size), 0);
}

TEST_P(DenormalTail, FilterSaturatorAndBlockerMemoriesHoldNoSubnormal)
{
  const EngineState& state = *engine;
  EXPECT_TRUE(NotSubnormal(state.toneState1) && NotSubnormal(state.toneState2));
  EXPECT_EQ(CountSubnormal(state.satState1, 3) + CountSubnormal(state.satState2, 3), 0);
  EXPECT_EQ(CountSubnormal(state.dcState1, 2) + CountSubnormal(state.dcState2, 2), 0);
}

TEST_P(DenormalTail, TheSilentOutputHoldsNoSubnormal)
{
  EXPECT_EQ(CountSubnormal(outLeft.data(), kBlock) + CountSubnormal(outRight.data(), kBlock), 0);
}

// QuillwaveMode 0 is the chorus set, 1 the flanger set.
INSTANTIATE_TEST_SUITE_P(Modes, DenormalTail, ::testing::Values(0.0, 1.0));
}  // namespace
