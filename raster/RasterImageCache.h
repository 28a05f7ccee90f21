#pragma once

#include "raster/RasterBitmap.h"

#include <cstdint>
#include <memory>

// Process-wide cache of decoded images keyed by resource id, shared by every
// editor of the process. Entries are only added; the bitmaps live until the
// module unloads. Each call holds the cache lock only for the lookup or the
// insertion, so two editors may decode the same image at once; the first
// entry for an id is the one found.

// The bitmap cached under `id`, or null.
RasterBitmap* RasterImageCacheFind(std::int32_t id);

// Hands `bitmap` to the cache under `id` and returns it. A null bitmap is
// not stored, so the next lookup of that id misses and loads again.
RasterBitmap* RasterImageCacheAdd(std::unique_ptr<RasterBitmap> bitmap, std::int32_t id);
