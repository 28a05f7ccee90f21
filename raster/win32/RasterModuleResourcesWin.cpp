// A Windows module's resources live in its resource section, compiled from
// the module's resource script; the module handle is its HINSTANCE.
#include "raster/RasterModuleResources.h"

#include <windows.h>

bool RasterFindModuleResource(RasterModuleHandle module, std::int32_t id, const char* type,
                              RasterResourceBytes& found)
{
  if (module == nullptr || type == nullptr || id < 0 || id > 0xFFFF)
    return false;
  HMODULE const instance = static_cast<HMODULE>(module);
  HRSRC const resource = FindResourceA(instance, MAKEINTRESOURCEA(id), type);
  if (resource == nullptr)
    return false;
  const DWORD size = SizeofResource(instance, resource);
  HGLOBAL const loaded = LoadResource(instance, resource);
  const void* const bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr)
    return false;
  found.data = static_cast<const std::uint8_t*>(bytes);
  found.size = size;
  return true;
}
