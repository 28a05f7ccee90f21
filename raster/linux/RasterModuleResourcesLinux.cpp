// On Linux the module's resources are byte arrays compiled into it
// (cmake/EmbedResources.cmake), and the module handle is the address of
// their table.
#include "raster/RasterModuleResources.h"

namespace
{
bool SameType(const char* a, const char* b)
{
  for (;; ++a, ++b)
  {
    const char ca = (*a >= 'a' && *a <= 'z') ? static_cast<char>(*a - 'a' + 'A') : *a;
    const char cb = (*b >= 'a' && *b <= 'z') ? static_cast<char>(*b - 'a' + 'A') : *b;
    if (ca != cb)
      return false;
    if (ca == '\0')
      return true;
  }
}
}  // namespace

bool RasterFindModuleResource(RasterModuleHandle module, std::int32_t id, const char* type,
                              RasterResourceBytes& found)
{
  const auto* const table = static_cast<const RasterResourceTable*>(module);
  if (table == nullptr || type == nullptr || table->tag != kRasterResourceTableTag)
    return false;
  for (std::uint32_t i = 0; i < table->count; ++i)
  {
    const RasterResourceEntry& entry = table->entries[i];
    if (entry.id == id && entry.type != nullptr && SameType(entry.type, type))
    {
      found.data = entry.bytes;
      found.size = entry.size;
      return true;
    }
  }
  return false;
}
