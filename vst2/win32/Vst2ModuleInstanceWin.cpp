// The module's instance handle, recorded when Windows attaches the DLL to the
// process; the editors of its plug-ins load their image resources from it.
#include "vst2/Vst2ModuleInstance.h"

#include <windows.h>

#include <atomic>

namespace
{
std::atomic<HINSTANCE> moduleInstance{nullptr};
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
  if (reason == DLL_PROCESS_ATTACH)
  {
    moduleInstance.store(instance);
    // This module never needs its threads' attach and detach calls.
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

void* Vst2ModuleInstance()
{
  return moduleInstance.load();
}
