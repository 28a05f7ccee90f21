#include "raster/RasterPng.h"

namespace
{
// The PNG signature alone is 8 bytes; anything shorter cannot be an image.
constexpr std::size_t kShortestPng = 8;
}  // namespace

std::unique_ptr<RasterMemBitmap> LoadPngResource(RasterModuleHandle module, std::int32_t id)
{
  RasterResourceBytes resource;
  if (!RasterFindModuleResource(module, id, "PNG", resource) || resource.size < kShortestPng)
    return nullptr;
  return DecodePng(resource.data, resource.size);
}
