// Wine keeps its own settings under HKEY_LOCAL_MACHINE\Software\Wine; no
// Windows installation has that key.
#include "raster/win32/RasterWineDetection.h"

#include <windows.h>

namespace
{
bool WineKeyExists()
{
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Wine", &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}
}  // namespace

bool RasterRunningUnderWine()
{
  static const bool underWine = WineKeyExists();
  return underWine;
}
