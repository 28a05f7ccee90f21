#include "framework/IMutex.h"

#include <mutex>

struct IMutex::Impl
{
  std::recursive_mutex mutex;
};

IMutex::IMutex() : impl(std::make_unique<Impl>()) {}

IMutex::~IMutex() = default;

void IMutex::Lock()
{
  impl->mutex.lock();
}

void IMutex::Unlock()
{
  impl->mutex.unlock();
}
