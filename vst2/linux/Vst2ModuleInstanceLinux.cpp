// A Linux module's images are found through its compiled-in resource table,
// so the table is the module's handle.
#include "vst2/Vst2ModuleInstance.h"

#include "raster/RasterModuleResources.h"

void* Vst2ModuleInstance()
{
  return RasterModuleResources();
}
