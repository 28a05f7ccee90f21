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
  constexpr int64_t kLargest = std::numeric_limits<int32_t>::max() / kGrowthGranule * kGrowthGranule;
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
      const int64_t grown = growStep > 0 ? static_cast<int64_t>(growStep) * (capacity / growStep + 1) : 0;
      if (grown <= capacity || grown > std::numeric_limits<int32_t>::max() ||
          !Reallocate(static_cast<int32_t>(grown)))
      {
        return false;
      }
    }
  }
  int32_t insert = count;
  if (count > front && message.offset < storage[count - 1].offset)
  {
    while (insert > front && storage[insert - 1].offset > message.offset)
    {
      --insert;
    }
    IMidiMessage* const base = storage.get();
    std::move_backward(base + insert, base + count, base + count + 1);
  }
  storage[insert] = message;
  ++count;
  return true;
}

bool IMidiEventQueue::TakeDue(int32_t position, IMidiMessage& message)
{
  if (front >= count || storage[front].offset > position)
  {
    return false;
  }
  message = storage[front++];
  return true;
}

void IMidiEventQueue::Flush(int32_t frames)
{
  DropProcessed();
  for (int32_t i = 0; i < count; ++i)
  {
    storage[i].offset -= frames;
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
  IMidiMessage* const base = storage.get();
  std::move(base + front, base + count, base);
  count -= front;
  front = 0;
}

bool IMidiEventQueue::Reallocate(int32_t newCapacity)
{
  std::unique_ptr<IMidiMessage[]> moved(new (std::nothrow) IMidiMessage[static_cast<size_t>(newCapacity)]);
  if (!moved)
  {
    return false;
  }
  std::copy_n(storage.get(), count, moved.get());
  storage = std::move(moved);
  capacity = newCapacity;
  return true;
}
