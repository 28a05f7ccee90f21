// The interposed file functions behind FileAccessCounter. The program exports
// them, so every shared library of the process (the C++ runtime's file
// streams, the dlopen'ed plug-in modules) calls these, which record the call
// and forward it to the next definition, the C library's.
#include "tests/hardening/FileAccessCounter.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace
{
std::atomic<bool> counting{false};
std::atomic<int64_t> calls{0};
std::mutex pathsMutex;
std::vector<std::string> paths;

void Record(const char* path)
{
  if (!counting.load(std::memory_order_relaxed))
    return;
  calls.fetch_add(1, std::memory_order_relaxed);
  const std::lock_guard<std::mutex> lock(pathsMutex);
  paths.emplace_back(path != nullptr ? path : "(null)");
}

// The C library's definition of `name`.
template <typename Function>
Function Next(const char* name)
{
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

// The mode argument that open and openat take only when they may create.
mode_t ModeArgument(int flags, va_list arguments)
{
  return (flags & (O_CREAT | O_TMPFILE)) != 0 ? static_cast<mode_t>(va_arg(arguments, unsigned int))
                                              : 0;
}
// Every open variant becomes the C library's openat64, which takes them all.
int ForwardOpen(int directory, const char* path, int flags, mode_t mode)
{
  Record(path);
  static const auto next = Next<int (*)(int, const char*, int, ...)>("openat64");
  return next(directory, path, flags, mode);
}
}  // namespace

FileAccessCounter::FileAccessCounter()
{
  calls.store(0);
  {
    const std::lock_guard<std::mutex> lock(pathsMutex);
    paths.clear();
  }
  counting.store(true);
}

FileAccessCounter::~FileAccessCounter()
{
  counting.store(false);
}

int64_t FileAccessCounter::Count() const
{
  return calls.load();
}

std::vector<std::string> FileAccessCounter::Paths() const
{
  const std::lock_guard<std::mutex> lock(pathsMutex);
  return paths;
}

extern "C"
{
int open(const char* path, int flags, ...)
{
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = ModeArgument(flags, arguments);
  va_end(arguments);
  return ForwardOpen(AT_FDCWD, path, flags, mode);
}

int open64(const char* path, int flags, ...)
{
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = ModeArgument(flags, arguments);
  va_end(arguments);
  return ForwardOpen(AT_FDCWD, path, flags, mode);
}

int openat(int directory, const char* path, int flags, ...)
{
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = ModeArgument(flags, arguments);
  va_end(arguments);
  return ForwardOpen(directory, path, flags, mode);
}

int openat64(int directory, const char* path, int flags, ...)
{
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = ModeArgument(flags, arguments);
  va_end(arguments);
  return ForwardOpen(directory, path, flags, mode);
}

FILE* fopen(const char* path, const char* mode)
{
  Record(path);
  static const auto next = Next<FILE* (*)(const char*, const char*)>("fopen");
  return next(path, mode);
}

FILE* fopen64(const char* path, const char* mode)
{
  Record(path);
  static const auto next = Next<FILE* (*)(const char*, const char*)>("fopen64");
  return next(path, mode);
}

int stat(const char* path, struct stat* buffer) noexcept
{
  Record(path);
  static const auto next = Next<int (*)(const char*, struct stat*)>("stat");
  return next(path, buffer);
}

int stat64(const char* path, struct stat64* buffer) noexcept
{
  Record(path);
  static const auto next = Next<int (*)(const char*, struct stat64*)>("stat64");
  return next(path, buffer);
}
}
