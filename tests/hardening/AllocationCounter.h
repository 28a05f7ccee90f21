#pragma once

#include <cstdint>

// Counts heap allocations made while counting is on: every malloc, calloc,
// realloc and aligned allocation of the process, and with them every
// operator new, which this program replaces. The counters are process-wide
// and the plug-in modules the program loads allocate through them too, since
// they take the C and C++ runtime from the same shared libraries.
class AllocationCounter
{
public:
  // Starts counting from 0; the destructor stops.
  AllocationCounter();
  ~AllocationCounter();

  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;

  // Allocations since construction, and the bytes they asked for.
  int64_t Count() const;
  int64_t Bytes() const;
};
