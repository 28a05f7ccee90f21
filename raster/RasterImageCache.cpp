#include "raster/RasterImageCache.h"

#include "framework/IMutex.h"

#include <new>
#include <vector>

namespace
{
struct ImageEntry
{
  std::int32_t id;
  std::unique_ptr<RasterBitmap> bitmap;
};

// The process-wide cache; its bitmaps are deleted when the module unloads.
struct ImageCache
{
  IMutex lock;
  std::vector<ImageEntry> entries;
};

ImageCache& Cache()
{
  static ImageCache cache;
  return cache;
}
}  // namespace

RasterBitmap* RasterImageCacheFind(std::int32_t id)
{
  ImageCache& cache = Cache();
  const IMutexLock hold(cache.lock);
  for (const ImageEntry& entry : cache.entries)
  {
    if (entry.id == id)
      return entry.bitmap.get();
  }
  return nullptr;
}

RasterBitmap* RasterImageCacheAdd(std::unique_ptr<RasterBitmap> bitmap, std::int32_t id)
{
  if (!bitmap)
    return nullptr;
  ImageCache& cache = Cache();
  const IMutexLock hold(cache.lock);
  try
  {
    cache.entries.push_back(ImageEntry{id, std::move(bitmap)});
  }
  catch (const std::bad_alloc&)
  {
    return nullptr;
  }
  return cache.entries.back().bitmap.get();
}
