#pragma once

#include <cstddef>
#include <cstdint>

// A growable, zero-filled array of doubles. Storage comes from the allocation
// function given to DataBufferResize and is always released with std::free.
struct DataBuffer
{
  int32_t frames = 0;
  int32_t channels = 0;
  double* data = nullptr;
};

// Largest frame count a buffer may hold: 256 MiB of doubles.
constexpr int32_t kDataBufferMaxFrames = 0x2000000;

// Allocation seam of DataBufferResize, so the fallback path can be exercised.
using DataBufferAllocateFunction = void* (*)(std::size_t bytes);

// Resizes `buffer` to `frames` single-channel frames, zero-filled, keeping the
// leading frames of old contents. A request above kDataBufferMaxFrames is cut
// to it with a warning; a failed allocation is reported and retried with 512
// frames, then with 4. Returns false when even the 4-frame allocation fails:
// the buffer then keeps its old storage and shape, untouched.
bool DataBufferResize(DataBuffer& buffer, int32_t frames,
                      DataBufferAllocateFunction allocate = nullptr);

// Frees the storage and leaves the buffer empty.
void DataBufferRelease(DataBuffer& buffer);
