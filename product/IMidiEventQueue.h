#pragma once

#include <cstdint>
#include <memory>

#include "framework/IMidiMessage.h"

// The plug-in's queue of incoming MIDI messages, sorted by sample offset.
// Messages are taken from the front as the block reaches their offset; those
// due beyond the block stay queued with offsets relative to the next block.
// Storage is sized for the host's block at reset; it grows (allocates) only
// when a block brings more messages than it holds.
class IMidiEventQueue
{
public:
  explicit IMidiEventQueue(int32_t initialCapacity);

  IMidiEventQueue(const IMidiEventQueue&) = delete;
  IMidiEventQueue& operator=(const IMidiEventQueue&) = delete;

  // Queues the message after every unprocessed message whose offset is not
  // greater, so equal offsets keep their arrival order. False when the queue
  // was full and could not grow: the message is dropped.
  bool Add(const IMidiMessage& message);

  // Takes the next unprocessed message if its offset is at most `position`.
  bool TakeDue(int32_t position, IMidiMessage& message);

  // End of a block of `frames` samples: drops the processed messages and makes
  // the offsets of the rest relative to the next block.
  void Flush(int32_t frames);

  // Sizes the storage and the growth step for blocks of `blockSize` samples.
  // Keeps the old storage when the new one cannot be allocated.
  void Resize(int32_t blockSize);

  int32_t Capacity() const { return capacity; }
  int32_t GrowStep() const { return growStep; }
  // Messages not yet taken.
  int32_t Pending() const { return count - front; }

private:
  // A queued message and its place in the order of arrival.
  struct Entry
  {
    IMidiMessage message;
    uint32_t arrival = 0;
  };

  void SortPending();
  // Numbers the pending messages from 0 in their order, so numbering can go on.
  void RenumberArrivals();
  void DropProcessed();
  bool Reallocate(int32_t newCapacity);

  std::unique_ptr<Entry[]> storage;
  int32_t capacity = 0;
  int32_t growStep = 0;
  int32_t count = 0;
  int32_t front = 0;
  uint32_t nextArrival = 0;
  // Messages arrived out of offset order since the last sort.
  bool unsorted = false;
};
