#include "engine/DelayLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace
{

class DelayLineTest : public testing::Test
{
protected:
  void TearDown() override { DelayLineRelease(line); }

  // Writes 1, 2, 3, ... advancing after each, so the value k samples back
  // from the newest write is (count - k + 1).
  void WriteRamp(int count)
  {
    for (int i = 1; i <= count; ++i)
    {
      DelayLineWrite(line, i);
      DelayLineAdvance(line);
    }
  }

  DelayLine line;
};

TEST_F(DelayLineTest, SizeIsThePowerOfTwoAtLeastTheLength)
{
  DelayLineSetup(line, 1);
  EXPECT_EQ(line.size, 2);
  EXPECT_EQ(line.maxDelay, 1);
  EXPECT_EQ(line.mask, 1);
  DelayLineRelease(line);

  DelayLineSetup(line, 44100);
  EXPECT_EQ(line.size, 65536);
  EXPECT_EQ(line.maxDelay, 44100);
  DelayLineRelease(line);

  DelayLineSetup(line, 96000);
  EXPECT_EQ(line.size, 131072);
  EXPECT_EQ(line.readPos, 0);
  EXPECT_EQ(line.writePos, 0);
}

TEST_F(DelayLineTest, LaterSetupKeepsTheFirstGeometryAndClearsTheMemory)
{
  DelayLineSetup(line, 44100);
  double* const memory = line.memory;
  WriteRamp(10);
  DelayLineSetup(line, 96000);
  EXPECT_EQ(line.memory, memory);
  EXPECT_EQ(line.size, 65536);
  EXPECT_EQ(line.maxDelay, 44100);
  EXPECT_EQ(line.readPos, 0);
  EXPECT_EQ(line.writePos, 0);
  for (int32_t i = 0; i < line.size; ++i)
  {
    ASSERT_EQ(line.memory[i], 0.0);
  }
}

TEST_F(DelayLineTest, MinimumDelayIsZeroBeforeTheFirstWriteAndOneAfter)
{
  DelayLineSetup(line, 100);
  line.memory[0] = 5.0;
  EXPECT_EQ(DelayLineRead(line, 0.0), 5.0);  // positions equal: the current slot
  DelayLineWrite(line, 5.0);
  DelayLineAdvance(line);
  EXPECT_EQ(DelayLineRead(line, 0.0), 5.0);  // now clamped to one sample back
  EXPECT_EQ(DelayLineRead(line, -3.0), 5.0);
}

TEST_F(DelayLineTest, ReadsInterpolateLinearlyBetweenSamples)
{
  DelayLineSetup(line, 100);
  WriteRamp(20);  // newest write is 20, one sample back
  EXPECT_DOUBLE_EQ(DelayLineRead(line, 1.0), 20.0);
  EXPECT_DOUBLE_EQ(DelayLineRead(line, 3.0), 18.0);
  EXPECT_DOUBLE_EQ(DelayLineRead(line, 3.25), 17.75);
  EXPECT_DOUBLE_EQ(DelayLineRead(line, 1.5), 19.5);
}

TEST_F(DelayLineTest, DelaysBeyondTheLimitReadTheLongestDelay)
{
  DelayLineSetup(line, 8);
  WriteRamp(12);
  const double longest = DelayLineRead(line, 8.0);
  EXPECT_EQ(longest, 5.0);
  EXPECT_EQ(DelayLineRead(line, 1e9), longest);
  EXPECT_EQ(DelayLineRead(line, std::numeric_limits<double>::infinity()), longest);
}

TEST_F(DelayLineTest, NonFiniteDelaysStayInsideTheMemory)
{
  DelayLineSetup(line, 8);
  WriteRamp(3);
  const double nearest = DelayLineRead(line, 1.0);
  EXPECT_EQ(DelayLineRead(line, std::nan("")), nearest);
  EXPECT_EQ(DelayLineRead(line, -std::numeric_limits<double>::infinity()), nearest);
}

TEST_F(DelayLineTest, PositionsWrapAroundTheRing)
{
  DelayLineSetup(line, 3);  // size 4
  WriteRamp(6);
  EXPECT_EQ(line.readPos, 2);
  EXPECT_EQ(DelayLineRead(line, 1.0), 6.0);
  EXPECT_EQ(DelayLineRead(line, 3.0), 4.0);
  EXPECT_DOUBLE_EQ(DelayLineRead(line, 2.5), 4.5);
}

TEST_F(DelayLineTest, ShortAllocationLeavesTheLineWithoutMemory)
{
  const auto failing = [](std::size_t bytes) -> void* {
    return bytes > 512 * sizeof(double) ? nullptr : std::malloc(bytes);
  };
  testing::internal::CaptureStderr();
  DelayLineSetup(line, 44100, failing);
  const std::string messages = testing::internal::GetCapturedStderr();
  EXPECT_NE(messages.find("delay memory size error\n"), std::string::npos);
  EXPECT_EQ(line.memory, nullptr);
  // A later setup must not clear the short buffer as if it were full size.
  DelayLineSetup(line, 44100);
  EXPECT_EQ(line.memory, nullptr);
}

TEST_F(DelayLineTest, OutOfRangeLengthsGiveTheSmallestLine)
{
  DelayLineSetup(line, -20);
  EXPECT_EQ(line.size, 2);
  EXPECT_EQ(line.maxDelay, 0);
  ASSERT_NE(line.memory, nullptr);
}

}  // namespace
