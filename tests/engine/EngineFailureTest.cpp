#include "engine/Engine.h"

#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{

using engine_test::MakeEngine;

constexpr int32_t kRefused = static_cast<int32_t>(kEngineErrorMissingBuffer);
constexpr int32_t kFrames = 64;

class EngineFailure : public testing::Test
{
protected:
  void SetUp() override
  {
    state = MakeEngine(44100.0);
    EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  }

  int32_t Perform()
  {
    return EnginePerform(state.get(), in1.data(), in2.data(), out1.data(), out2.data(), kFrames);
  }

  bool OutputsUntouched() const
  {
    return out1 == std::vector<double>(kFrames, -7.0) && out2 == std::vector<double>(kFrames, -7.0);
  }

  engine_test::EnginePtr state;
  std::vector<double> in1 = std::vector<double>(kFrames, 0.5);
  std::vector<double> in2 = std::vector<double>(kFrames, -0.5);
  std::vector<double> out1 = std::vector<double>(kFrames, -7.0);
  std::vector<double> out2 = std::vector<double>(kFrames, -7.0);
};

TEST_F(EngineFailure, EachMissingBufferRefusesTheBlock)
{
  double* const o1 = out1.data();
  double* const o2 = out2.data();
  EXPECT_EQ(EnginePerform(state.get(), nullptr, in2.data(), o1, o2, kFrames), kRefused);
  EngineReset(state.get(), 44100.0, 1024);
  EXPECT_EQ(EnginePerform(state.get(), in1.data(), nullptr, o1, o2, kFrames), kRefused);
  EngineReset(state.get(), 44100.0, 1024);
  EXPECT_EQ(EnginePerform(state.get(), in1.data(), in2.data(), nullptr, o2, kFrames), kRefused);
  EXPECT_TRUE(out2 == std::vector<double>(kFrames, -7.0));
  EngineReset(state.get(), 44100.0, 1024);
  EXPECT_EQ(EnginePerform(state.get(), in1.data(), in2.data(), o1, nullptr, kFrames), kRefused);
  EXPECT_TRUE(OutputsUntouched());
  EXPECT_EQ(state->errorState, kEngineErrorMissingBuffer);
}

TEST_F(EngineFailure, TheErrorSticksUntilReset)
{
  ASSERT_EQ(EnginePerform(state.get(), nullptr, nullptr, nullptr, nullptr, kFrames), kRefused);
  const DelayLine before = state->delayA;
  EXPECT_EQ(Perform(), kRefused);
  EXPECT_EQ(Perform(), kRefused);
  EXPECT_TRUE(OutputsUntouched());
  EXPECT_EQ(state->delayA.readPos, before.readPos);

  EngineReset(state.get(), 44100.0, 1024);
  EXPECT_EQ(state->errorState, 0u);
  EXPECT_EQ(Perform(), 0);
  EXPECT_FALSE(OutputsUntouched());
}

TEST_F(EngineFailure, MissingCosineTableRefusesTheBlock)
{
  DataBuffer table = std::exchange(state->cosineTable, DataBuffer{});
  EXPECT_EQ(Perform(), kRefused);
  EXPECT_TRUE(OutputsUntouched());
  state->cosineTable = table;
  EngineReset(state.get(), 44100.0, 1024);
  EXPECT_EQ(Perform(), 0);
}

TEST_F(EngineFailure, MissingDelayMemoryRefusesTheBlock)
{
  for (DelayLine* line : {&state->delayA, &state->delayB})
  {
    double* const memory = std::exchange(line->memory, nullptr);
    EXPECT_EQ(Perform(), kRefused);
    EXPECT_TRUE(OutputsUntouched());
    line->memory = memory;
    EngineReset(state.get(), 44100.0, 1024);
  }
}

TEST_F(EngineFailure, EmptyBlocksAreProcessedAsNothing)
{
  EXPECT_EQ(EnginePerform(state.get(), in1.data(), in2.data(), out1.data(), out2.data(), 0), 0);
  EXPECT_EQ(EnginePerform(state.get(), in1.data(), in2.data(), out1.data(), out2.data(), -5), 0);
  EXPECT_TRUE(OutputsUntouched());
  EXPECT_EQ(state->delayA.readPos, 0);
}

}  // namespace
