#include "tools/pluginhost/SharedLibrary.h"

#include <dlfcn.h>

SharedLibrary::~SharedLibrary()
{
  if (handle)
    dlclose(handle);
}

bool SharedLibrary::Open(const std::string& path, std::string& error)
{
  // RTLD_LOCAL keeps two modules' identical symbol names apart, as a host does.
  handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle)
  {
    const char* reason = dlerror();
    error = "cannot load " + path + (reason ? std::string(": ") + reason : std::string());
    return false;
  }
  return true;
}

void* SharedLibrary::Symbol(const char* name) const
{
  return handle ? dlsym(handle, name) : nullptr;
}

const Vst3BundlePlatform kVst3BundlePlatform{"x86_64-linux", ".so"};
