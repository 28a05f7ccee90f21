#pragma once

#include <memory>

// Recursive lock that serialises a plug-in object between the host's audio,
// user-interface and controller threads. The lock itself is platform code
// (IMutexLinux.cpp, IMutexWin.cpp); this header stays platform neutral.
class IMutex
{
public:
  IMutex();
  ~IMutex();

  IMutex(const IMutex&) = delete;
  IMutex& operator=(const IMutex&) = delete;

  // The owning thread may lock again; each Lock needs its own Unlock.
  void Lock();
  void Unlock();

private:
  struct Impl;
  std::unique_ptr<Impl> impl;
};

// Holds an IMutex for the lifetime of the guard.
class IMutexLock
{
public:
  explicit IMutexLock(IMutex& mutex) : mutex(mutex) { mutex.Lock(); }
  ~IMutexLock() { mutex.Unlock(); }

  IMutexLock(const IMutexLock&) = delete;
  IMutexLock& operator=(const IMutexLock&) = delete;

private:
  IMutex& mutex;
};
