// The entry points a Linux VST3 host calls when it loads and unloads the
// module. Linux hosts do not call InitDll, so loading also publishes the
// module handle.
#include "raster/RasterModuleResources.h"
#include "vst3/Vst3ModuleEntry.h"
#include "vst3/Vst3ModuleInstance.h"

extern "C"
{
// The loader's handle names no resources: a Linux module's images are
// found through its compiled-in resource table, which is its handle.
SMTG_EXPORT_SYMBOL bool ModuleEntry(void* /*sharedLibraryHandle*/)
{
  Vst3RecordModuleInstance(RasterModuleResources());
  return InitDll();
}

SMTG_EXPORT_SYMBOL bool ModuleExit()
{
  return ExitDll();
}
}
