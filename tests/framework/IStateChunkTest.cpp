#include "framework/IStateChunk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

TEST(IStateChunk, AppendsLittleEndianValues)
{
  IStateChunk chunk;
  ASSERT_TRUE(chunk.AppendInt32(0x70666674));
  ASSERT_TRUE(chunk.AppendDouble(1.0));
  ASSERT_TRUE(chunk.AppendByte(7));
  ASSERT_EQ(chunk.Size(), 13);
  const uint8_t expected[] = {0x74, 0x66, 0x66, 0x70, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 7};
  EXPECT_EQ(std::memcmp(chunk.GetBytes(), expected, sizeof expected), 0);
}

TEST(IStateChunk, ReadsBackAndRefusesReadsOutsideTheChunk)
{
  IStateChunk chunk;
  chunk.AppendDouble(-2.5);
  chunk.AppendInt32(-7);
  double d = 0.0;
  int32_t i = 0;
  EXPECT_EQ(chunk.ReadDouble(0, d), 8);
  EXPECT_EQ(d, -2.5);
  EXPECT_EQ(chunk.ReadInt32(8, i), 12);
  EXPECT_EQ(i, -7);

  d = 42.0;
  EXPECT_EQ(chunk.ReadDouble(5, d), -1);
  EXPECT_EQ(chunk.ReadDouble(-1, d), -1);
  EXPECT_EQ(chunk.ReadDouble(INT32_MAX - 2, d), -1);
  EXPECT_EQ(d, 42.0);
  uint8_t byte = 0;
  EXPECT_EQ(chunk.ReadByte(12, byte), -1);
  std::vector<uint8_t> out(4);
  EXPECT_EQ(chunk.ReadBytes(10, out.data(), -1), -1);
}

TEST(IStateChunk, CapacityGrowsInWholeGranules)
{
  IStateChunk chunk;
  EXPECT_EQ(chunk.Capacity(), 0);
  chunk.AppendByte(1);
  EXPECT_EQ(chunk.Capacity(), IStateChunk::kGranularity);
  const std::vector<uint8_t> block(IStateChunk::kGranularity, 0xAB);
  ASSERT_TRUE(chunk.AppendBytes(block.data(), static_cast<int32_t>(block.size())));
  EXPECT_EQ(chunk.Capacity(), 2 * IStateChunk::kGranularity);
  EXPECT_EQ(chunk.GetBytes()[0], 1);
  EXPECT_EQ(chunk.GetBytes()[IStateChunk::kGranularity], 0xAB);
}

TEST(IStateChunk, FailedGrowthKeepsContents)
{
  IStateChunk chunk;
  chunk.AppendInt32(1234);
  const uint8_t one = 1;
  // Reaches past the int32 size limit: refused without touching the bytes.
  EXPECT_FALSE(chunk.AppendBytes(&one, INT32_MAX));
  EXPECT_FALSE(chunk.Resize(-1));
  EXPECT_FALSE(chunk.AppendBytes(nullptr, 4));
  ASSERT_EQ(chunk.Size(), 4);
  int32_t value = 0;
  chunk.ReadInt32(0, value);
  EXPECT_EQ(value, 1234);
}

TEST(IStateChunk, ResizeZeroesNewBytesAndClearKeepsCapacity)
{
  IStateChunk chunk;
  chunk.AppendInt32(-1);
  ASSERT_TRUE(chunk.Resize(2));
  ASSERT_TRUE(chunk.Resize(6));
  const uint8_t expected[] = {0xFF, 0xFF, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(chunk.GetBytes(), expected, sizeof expected), 0);
  chunk.Clear();
  EXPECT_EQ(chunk.Size(), 0);
  EXPECT_EQ(chunk.Capacity(), IStateChunk::kGranularity);
}
