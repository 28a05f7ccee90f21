#include "engine/DataBuffer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{

using testing::ElementsAre;
using testing::HasSubstr;

// Allocation seam that records every request and fails the first
// `failures` of them.
struct AllocationLog
{
  std::vector<std::size_t> requests;
  int failures = 0;
};
AllocationLog gLog;

void* RecordingAllocate(std::size_t bytes)
{
  gLog.requests.push_back(bytes);
  if (gLog.failures > 0)
  {
    --gLog.failures;
    return nullptr;
  }
  return std::malloc(bytes);
}

class DataBufferTest : public testing::Test
{
protected:
  void SetUp() override { gLog = {}; }
  void TearDown() override { DataBufferRelease(buffer); }

  DataBuffer buffer;
};

TEST_F(DataBufferTest, NewStorageIsZeroFilledSingleChannel)
{
  ASSERT_TRUE(DataBufferResize(buffer, 1000));
  EXPECT_EQ(buffer.frames, 1000);
  EXPECT_EQ(buffer.channels, 1);
  for (int32_t i = 0; i < buffer.frames; ++i)
  {
    ASSERT_EQ(buffer.data[i], 0.0);
  }
}

TEST_F(DataBufferTest, ResizeToTheSameSizeKeepsStorageAndZeroesIt)
{
  ASSERT_TRUE(DataBufferResize(buffer, 64, RecordingAllocate));
  double* const storage = buffer.data;
  storage[5] = 3.0;
  ASSERT_TRUE(DataBufferResize(buffer, 64, RecordingAllocate));
  EXPECT_EQ(buffer.data, storage);
  EXPECT_EQ(buffer.data[5], 0.0);
  EXPECT_EQ(gLog.requests.size(), 1u);
}

TEST_F(DataBufferTest, GrowingAndShrinkingKeepLeadingFrames)
{
  ASSERT_TRUE(DataBufferResize(buffer, 4));
  for (int32_t i = 0; i < 4; ++i)
  {
    buffer.data[i] = i + 1.0;
  }
  ASSERT_TRUE(DataBufferResize(buffer, 8));
  EXPECT_THAT(std::vector<double>(buffer.data, buffer.data + 8),
              ElementsAre(1, 2, 3, 4, 0, 0, 0, 0));
  ASSERT_TRUE(DataBufferResize(buffer, 2));
  EXPECT_THAT(std::vector<double>(buffer.data, buffer.data + 2), ElementsAre(1, 2));
}

TEST_F(DataBufferTest, MultiChannelOldContentsKeepTheirFirstChannel)
{
  ASSERT_TRUE(DataBufferResize(buffer, 6));
  for (int32_t i = 0; i < 6; ++i)
  {
    buffer.data[i] = i;  // three stereo frames: (0,1) (2,3) (4,5)
  }
  buffer.frames = 3;
  buffer.channels = 2;
  ASSERT_TRUE(DataBufferResize(buffer, 4));
  EXPECT_EQ(buffer.channels, 1);
  EXPECT_THAT(std::vector<double>(buffer.data, buffer.data + 4), ElementsAre(0, 2, 4, 0));
}

TEST_F(DataBufferTest, OversizedRequestIsCutWithAWarning)
{
  gLog.failures = 1;  // keeps the test from really allocating 256 MiB
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  ASSERT_TRUE(DataBufferResize(buffer, kDataBufferMaxFrames + 1, RecordingAllocate));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "warning: constraining [data] to < 256MB\n");
  testing::internal::GetCapturedStderr();
  ASSERT_FALSE(gLog.requests.empty());
  EXPECT_EQ(gLog.requests.front(), static_cast<std::size_t>(kDataBufferMaxFrames) * sizeof(double));
}

TEST_F(DataBufferTest, FailedAllocationFallsBackTo512ThenTo4Frames)
{
  gLog.failures = 2;
  testing::internal::CaptureStderr();
  ASSERT_TRUE(DataBufferResize(buffer, 65536, RecordingAllocate));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "allocating [data]: out of memory\nallocating [data]: out of memory\n");
  EXPECT_THAT(gLog.requests, ElementsAre(65536 * 8, 512 * 8, 4 * 8));
  EXPECT_EQ(buffer.frames, 4);
}

TEST_F(DataBufferTest, FallbackReusesStorageThatAlreadyHasTheFallbackSize)
{
  ASSERT_TRUE(DataBufferResize(buffer, 512, RecordingAllocate));
  double* const storage = buffer.data;
  gLog.failures = 1;
  testing::internal::CaptureStderr();
  ASSERT_TRUE(DataBufferResize(buffer, 4096, RecordingAllocate));
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(buffer.data, storage);
  EXPECT_EQ(buffer.frames, 512);
}

TEST_F(DataBufferTest, GivesUpAfterTheFourFrameFallbackFails)
{
  ASSERT_TRUE(DataBufferResize(buffer, 16, RecordingAllocate));
  double* const storage = buffer.data;
  storage[3] = 7.0;
  gLog.requests.clear();
  gLog.failures = 1000;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(DataBufferResize(buffer, 65536, RecordingAllocate));
  const std::string messages = testing::internal::GetCapturedStderr();
  EXPECT_THAT(messages, HasSubstr("allocating [data]: out of memory"));
  EXPECT_THAT(gLog.requests, ElementsAre(65536 * 8, 512 * 8, 4 * 8));
  // Nothing is lost: the old storage stays as it was.
  EXPECT_EQ(buffer.data, storage);
  EXPECT_EQ(buffer.frames, 16);
  EXPECT_EQ(buffer.data[3], 7.0);
}

TEST_F(DataBufferTest, NonPositiveRequestsHoldOneFrame)
{
  ASSERT_TRUE(DataBufferResize(buffer, -5));
  EXPECT_EQ(buffer.frames, 1);
  EXPECT_EQ(buffer.data[0], 0.0);
}

}  // namespace
