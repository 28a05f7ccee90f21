#pragma once

#include <string>

// A loaded shared library; the platform loader sits behind this seam.
class SharedLibrary
{
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

// Where a VST3 bundle keeps the module of this platform:
// Contents/<architecture>/<bundle name><extension>.
struct Vst3BundlePlatform
{
  const char* architecture;
  const char* extension;
};
extern const Vst3BundlePlatform kVst3BundlePlatform;
