#include "product/IMidiEventQueue.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

IMidiMessage Message(int32_t offset, uint8_t data1 = 0)
{
  IMidiMessage message;
  message.offset = offset;
  message.status = 0xB0;
  message.data1 = data1;
  return message;
}

// Takes every message due up to `position` and returns their data1 bytes.
std::vector<int> TakeAll(IMidiEventQueue& queue, int32_t position)
{
  std::vector<int> taken;
  IMidiMessage message;
  while (queue.TakeDue(position, message))
  {
    taken.push_back(message.data1);
  }
  return taken;
}

TEST(IMidiEventQueue, KeepsOffsetOrderAndArrivalOrderForEqualOffsets)
{
  IMidiEventQueue queue(1024);
  queue.Add(Message(10, 1));
  queue.Add(Message(30, 2));
  queue.Add(Message(10, 3));
  queue.Add(Message(0, 4));
  queue.Add(Message(30, 5));
  queue.Add(Message(20, 6));
  EXPECT_EQ(TakeAll(queue, 1000), (std::vector<int>{4, 1, 3, 6, 2, 5}));
}

TEST(IMidiEventQueue, InsertionNeverMovesBeforeTakenMessages)
{
  IMidiEventQueue queue(1024);
  queue.Add(Message(5, 1));
  queue.Add(Message(8, 2));
  EXPECT_EQ(TakeAll(queue, 5), (std::vector<int>{1}));
  // Earlier than everything stored, but the taken message must not come back.
  queue.Add(Message(2, 3));
  EXPECT_EQ(TakeAll(queue, 100), (std::vector<int>{3, 2}));
}

TEST(IMidiEventQueue, ReversedFloodComesOutInOffsetThenArrivalOrder)
{
  // A host that sends a block's messages backwards, two per offset, across a
  // growth of the queue and a flush with some messages still pending.
  constexpr int kOffsets = 3000;
  IMidiEventQueue queue(512);
  for (int32_t offset = kOffsets - 1; offset >= 0; --offset)
  {
    ASSERT_TRUE(queue.Add(Message(offset, 1)));
    ASSERT_TRUE(queue.Add(Message(offset, 2)));
  }
  IMidiMessage message;
  for (int32_t offset = 0; offset < kOffsets / 2; ++offset)
  {
    for (int arrival = 1; arrival <= 2; ++arrival)
    {
      ASSERT_TRUE(queue.TakeDue(offset, message));
      ASSERT_EQ(message.offset, offset);
      ASSERT_EQ(message.data1, arrival);
    }
  }
  queue.Flush(kOffsets / 2);
  queue.Add(Message(0, 3));
  EXPECT_EQ(TakeAll(queue, 0), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(queue.Pending(), kOffsets - 2);
}

TEST(IMidiEventQueue, FlushCarriesLateMessagesIntoTheNextBlock)
{
  IMidiEventQueue queue(1024);
  queue.Add(Message(100, 1));
  queue.Add(Message(700, 2));
  EXPECT_EQ(TakeAll(queue, 511), (std::vector<int>{1}));
  queue.Flush(512);
  EXPECT_EQ(queue.Pending(), 1);
  EXPECT_EQ(TakeAll(queue, 187), std::vector<int>{});
  EXPECT_EQ(TakeAll(queue, 188), (std::vector<int>{2}));
}

TEST(IMidiEventQueue, FullQueueDropsTakenMessagesBeforeItGrows)
{
  IMidiEventQueue queue(4);
  for (int i = 0; i < 4; ++i)
  {
    ASSERT_TRUE(queue.Add(Message(i, static_cast<uint8_t>(i))));
  }
  EXPECT_EQ(TakeAll(queue, 1), (std::vector<int>{0, 1}));
  ASSERT_TRUE(queue.Add(Message(9, 9)));
  EXPECT_EQ(queue.Capacity(), 4);
  EXPECT_EQ(TakeAll(queue, 100), (std::vector<int>{2, 3, 9}));
}

TEST(IMidiEventQueue, GrowsByItsStepWhenNothingCanBeDropped)
{
  IMidiEventQueue queue(1024);
  for (int i = 0; i < 1025; ++i)
  {
    ASSERT_TRUE(queue.Add(Message(i)));
  }
  EXPECT_EQ(queue.Capacity(), 2048);
  EXPECT_EQ(queue.Pending(), 1025);
}

TEST(IMidiEventQueue, ResizeRoundsTheBlockSizeUpToWholeGranules)
{
  IMidiEventQueue queue(1024);
  queue.Resize(512);
  EXPECT_EQ(queue.Capacity(), 512);
  EXPECT_EQ(queue.GrowStep(), 512);
  queue.Resize(513);
  EXPECT_EQ(queue.Capacity(), 1024);
  EXPECT_EQ(queue.GrowStep(), 1024);
  queue.Resize(4096);
  EXPECT_EQ(queue.Capacity(), 4096);
  for (int i = 0; i < 4097; ++i)
  {
    ASSERT_TRUE(queue.Add(Message(i)));
  }
  EXPECT_EQ(queue.Capacity(), 8192);
}

TEST(IMidiEventQueue, ResizeKeepsRoomForMessagesStillQueued)
{
  IMidiEventQueue queue(1024);
  for (int i = 0; i < 700; ++i)
  {
    queue.Add(Message(i, static_cast<uint8_t>(i & 0x7F)));
  }
  TakeAll(queue, 99);
  queue.Resize(64);
  EXPECT_EQ(queue.GrowStep(), 512);
  EXPECT_EQ(queue.Capacity(), 1024);
  EXPECT_EQ(queue.Pending(), 600);
  IMidiMessage first;
  ASSERT_TRUE(queue.TakeDue(100, first));
  EXPECT_EQ(first.offset, 100);
}

TEST(IMidiEventQueue, UnsetBlockSizeStillLeavesRoomForMessages)
{
  IMidiEventQueue queue(1024);
  queue.Resize(0);
  EXPECT_EQ(queue.Capacity(), 512);
  EXPECT_TRUE(queue.Add(Message(0)));
  queue.Resize(-7);
  EXPECT_EQ(queue.Capacity(), 512);
  EXPECT_EQ(queue.Pending(), 1);
}

}  // namespace
