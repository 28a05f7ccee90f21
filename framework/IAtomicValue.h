#pragma once

#include <atomic>

// A double that one thread may store while another loads it without holding
// the plug-in mutex (a VST3 host's controller thread sets and reads parameter
// values that way). Every access is a relaxed atomic one, so a reader sees a
// whole value, never a torn one, and nothing is ordered beyond that. Copies
// take the current value.
class IAtomicValue
{
public:
  explicit IAtomicValue(double initial = 0.0) : value(initial) {}
  IAtomicValue(const IAtomicValue& other) : value(other.Load()) {}
  IAtomicValue& operator=(const IAtomicValue& other)
  {
    Store(other.Load());
    return *this;
  }

  double Load() const { return value.load(std::memory_order_relaxed); }
  void Store(double newValue) { value.store(newValue, std::memory_order_relaxed); }

private:
  std::atomic<double> value;
};
