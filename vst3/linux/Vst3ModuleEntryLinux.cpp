// The entry points a Linux VST3 host calls when it loads and unloads the
// module. Linux hosts do not call InitDll, so loading also publishes the
// module handle.
#include "vst3/Vst3ModuleEntry.h"
#include "vst3/Vst3ModuleInstance.h"

extern "C"
{
  SMTG_EXPORT_SYMBOL bool ModuleEntry(void* sharedLibraryHandle)
  {
    Vst3RecordModuleInstance(sharedLibraryHandle);
    return InitDll();
  }

  SMTG_EXPORT_SYMBOL bool ModuleExit()
  {
    return ExitDll();
  }
}
