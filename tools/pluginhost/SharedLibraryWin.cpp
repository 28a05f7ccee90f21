#include "tools/pluginhost/SharedLibrary.h"

#include <windows.h>

SharedLibrary::~SharedLibrary()
{
  if (handle)
    FreeLibrary(static_cast<HMODULE>(handle));
}

bool SharedLibrary::Open(const std::string& path, std::string& error)
{
  handle = LoadLibraryA(path.c_str());
  if (!handle)
  {
    error = "cannot load " + path + ": error " + std::to_string(GetLastError());
    return false;
  }
  return true;
}

void* SharedLibrary::Symbol(const char* name) const
{
  return handle ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name))
                : nullptr;
}

const Vst3BundlePlatform kVst3BundlePlatform{"x86_64-win", ".vst3"};
