// A Windows critical section: recursive for its owning thread, like the lock
// the plug-in object is designed around.
#include "framework/IMutex.h"

#include <windows.h>

struct IMutex::Impl
{
  Impl() { InitializeCriticalSection(&section); }
  ~Impl() { DeleteCriticalSection(&section); }

  CRITICAL_SECTION section;
};

IMutex::IMutex() : impl(std::make_unique<Impl>()) {}

IMutex::~IMutex() = default;

void IMutex::Lock()
{
  EnterCriticalSection(&impl->section);
}

void IMutex::Unlock()
{
  LeaveCriticalSection(&impl->section);
}
