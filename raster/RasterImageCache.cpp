#include "raster/RasterImageCache.h"

#include "raster/RasterKeyedCache.h"

namespace
{
// The process-wide cache; its bitmaps are deleted when the module unloads.
RasterKeyedCache<std::int32_t, RasterBitmap>& Cache()
{
  static RasterKeyedCache<std::int32_t, RasterBitmap> cache;
  return cache;
}
}  // namespace

RasterBitmap* RasterImageCacheFind(std::int32_t id)
{
  return Cache().Find(id);
}

RasterBitmap* RasterImageCacheAdd(std::unique_ptr<RasterBitmap> bitmap, std::int32_t id)
{
  return Cache().Add(id, std::move(bitmap));
}
