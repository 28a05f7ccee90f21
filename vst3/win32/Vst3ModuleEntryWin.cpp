// Windows attaches the DLL before the host calls InitDll: the instance handle
// is recorded here and InitDll publishes it for the editor's images.
#include "vst3/Vst3ModuleInstance.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
  if (reason == DLL_PROCESS_ATTACH)
  {
    Vst3RecordModuleInstance(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
