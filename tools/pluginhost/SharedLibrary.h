#pragma once

#include <string>

// A loaded shared library; the platform loader sits behind this seam.
class SharedLibrary {
 public:
  SharedLibrary() = default;
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;
  ~SharedLibrary();

  bool Open(const std::string& path, std::string& error);
  void* Symbol(const char* name) const;
  void* NativeHandle() const { return handle; }

 private:
  void* handle = nullptr;
};
