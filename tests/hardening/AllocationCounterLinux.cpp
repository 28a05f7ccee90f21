// The replaced allocation functions behind AllocationCounter. glibc lets a
// program define malloc and its relatives itself and exports its own under
// __libc_ names, which these forward to; every shared library of the process,
// the dlopen'ed plug-in modules among them, then calls these.
#include "tests/hardening/AllocationCounter.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <new>

extern "C"
{
void* __libc_malloc(size_t size) noexcept;
void* __libc_calloc(size_t count, size_t size) noexcept;
void* __libc_realloc(void* block, size_t size) noexcept;
void* __libc_memalign(size_t alignment, size_t size) noexcept;
void __libc_free(void* block) noexcept;
}

namespace
{
std::atomic<bool> counting{false};
std::atomic<int64_t> allocations{0};
std::atomic<int64_t> bytes{0};

void Record(size_t size)
{
  if (counting.load(std::memory_order_relaxed))
  {
    allocations.fetch_add(1, std::memory_order_relaxed);
    bytes.fetch_add(static_cast<int64_t>(size), std::memory_order_relaxed);
  }
}

void* AlignedBlock(size_t alignment, size_t size)
{
  Record(size);
  return __libc_memalign(alignment, size);
}

void* NewBlock(size_t size)
{
  void* const block = malloc(size == 0 ? 1 : size);
  if (block == nullptr)
    throw std::bad_alloc();
  return block;
}

void* NewAlignedBlock(size_t size, std::align_val_t alignment)
{
  void* const block = AlignedBlock(static_cast<size_t>(alignment), size == 0 ? 1 : size);
  if (block == nullptr)
    throw std::bad_alloc();
  return block;
}
}  // namespace

AllocationCounter::AllocationCounter()
{
  allocations.store(0);
  bytes.store(0);
  counting.store(true);
}

AllocationCounter::~AllocationCounter()
{
  counting.store(false);
}

int64_t AllocationCounter::Count() const
{
  return allocations.load();
}

int64_t AllocationCounter::Bytes() const
{
  return bytes.load();
}

extern "C"
{
void* malloc(size_t size) noexcept
{
  Record(size);
  return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) noexcept
{
  Record(count * size);
  return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) noexcept
{
  Record(size);
  return __libc_realloc(block, size);
}

void free(void* block) noexcept
{
  __libc_free(block);
}

void* memalign(size_t alignment, size_t size) noexcept
{
  return AlignedBlock(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) noexcept
{
  return AlignedBlock(alignment, size);
}

int posix_memalign(void** block, size_t alignment, size_t size) noexcept
{
  void* const aligned = AlignedBlock(alignment, size);
  if (aligned == nullptr)
    return ENOMEM;
  *block = aligned;
  return 0;
}
}

void* operator new(size_t size)
{
  return NewBlock(size);
}

void* operator new[](size_t size)
{
  return NewBlock(size);
}

void* operator new(size_t size, const std::nothrow_t&) noexcept
{
  return malloc(size == 0 ? 1 : size);
}

void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
  return malloc(size == 0 ? 1 : size);
}

void* operator new(size_t size, std::align_val_t alignment)
{
  return NewAlignedBlock(size, alignment);
}

void* operator new[](size_t size, std::align_val_t alignment)
{
  return NewAlignedBlock(size, alignment);
}

void operator delete(void* block) noexcept
{
  free(block);
}

void operator delete[](void* block) noexcept
{
  free(block);
}

void operator delete(void* block, size_t) noexcept
{
  free(block);
}

void operator delete[](void* block, size_t) noexcept
{
  free(block);
}

void operator delete(void* block, std::align_val_t) noexcept
{
  free(block);
}

void operator delete[](void* block, std::align_val_t) noexcept
{
  free(block);
}

void operator delete(void* block, size_t, std::align_val_t) noexcept
{
  free(block);
}

void operator delete[](void* block, size_t, std::align_val_t) noexcept
{
  free(block);
}
