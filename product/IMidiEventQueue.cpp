#include "product/IMidiEventQueue.h"

#include <algorithm>
#include <limits>
#include <new>

namespace
{

constexpr int32_t kGrowthGranule = 512;

// `count` rounded up to a whole number of granules, at least one granule, so a
// block size the host never set (0) still leaves room for messages.
int32_t RoundUpToGranule(int32_t count)
{
  if (count <= kGrowthGranule)
  {
    return kGrowthGranule;
  }
  constexpr int64_t kLargest =
      std::numeric_limits<int32_t>::max() / kGrowthGranule * kGrowthGranule;
  const int64_t rounded =
      (static_cast<int64_t>(count) + kGrowthGranule - 1) / kGrowthGranule * kGrowthGranule;
  return static_cast<int32_t>(std::min(rounded, kLargest));
}

}  // namespace

IMidiEventQueue::IMidiEventQueue(int32_t initialCapacity) : growStep(initialCapacity)
{
  Reallocate(initialCapacity);
}

bool IMidiEventQueue::Add(const IMidiMessage& message)
{
  if (count >= capacity)
  {
    if (front > 0)
    {
      DropProcessed();
    }
    else
    {
      const int64_t grown =
          growStep > 0 ? static_cast<int64_t>(growStep) * (capacity / growStep + 1) : 0;
      if (grown <= capacity || grown > std::numeric_limits<int32_t>::max() ||
          !Reallocate(static_cast<int32_t>(grown)))
      {
        return false;
      }
    }
  }
  if (count == front)
  {
    nextArrival = 0;
  }
  else if (nextArrival == std::numeric_limits<uint32_t>::max())
  {
    RenumberArrivals();
  }
  // A message earlier than the last one is appended too and the pending
  // messages are sorted once when the next is taken: inserting each in place
  // would cost a move of the whole queue per message of a reversed flood.
  if (count > front && message.offset < storage[count - 1].message.offset)
  {
    unsorted = true;
  }
  storage[count] = Entry{message, nextArrival++};
  ++count;
  return true;
}

bool IMidiEventQueue::TakeDue(int32_t position, IMidiMessage& message)
{
  if (unsorted)
  {
    SortPending();
  }
  if (front >= count || storage[front].message.offset > position)
  {
    return false;
  }
  message = storage[front++].message;
  return true;
}

void IMidiEventQueue::SortPending()
{
  // Arrival numbers make the order stable without the buffer a stable sort
  // would allocate.
  Entry* const base = storage.get();
  std::sort(base + front, base + count, [](const Entry& a, const Entry& b) {
    return a.message.offset != b.message.offset ? a.message.offset < b.message.offset
                                                : a.arrival < b.arrival;
  });
  unsorted = false;
}

void IMidiEventQueue::RenumberArrivals()
{
  SortPending();
  nextArrival = 0;
  for (int32_t i = front; i < count; ++i)
  {
    storage[i].arrival = nextArrival++;
  }
}

void IMidiEventQueue::Flush(int32_t frames)
{
  DropProcessed();
  for (int32_t i = 0; i < count; ++i)
  {
    storage[i].message.offset -= frames;
  }
}

void IMidiEventQueue::Resize(int32_t blockSize)
{
  DropProcessed();
  growStep = RoundUpToGranule(blockSize);
  const int32_t wanted = count > growStep ? RoundUpToGranule(count) : growStep;
  if (wanted != capacity)
  {
    Reallocate(wanted);
  }
}

void IMidiEventQueue::DropProcessed()
{
  if (front == 0)
  {
    return;
  }
  Entry* const base = storage.get();
  std::move(base + front, base + count, base);
  count -= front;
  front = 0;
}

bool IMidiEventQueue::Reallocate(int32_t newCapacity)
{
  std::unique_ptr<Entry[]> moved(new (std::nothrow) Entry[static_cast<size_t>(newCapacity)]);
  if (!moved)
  {
    return false;
  }
  std::copy_n(storage.get(), count, moved.get());
  storage = std::move(moved);
  capacity = newCapacity;
  return true;
}
