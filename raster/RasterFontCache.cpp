#include "raster/RasterFontCache.h"

#include "framework/IMutex.h"
#include "raster/RasterCachedFont.h"

#include <cstring>
#include <new>
#include <vector>

namespace
{
constexpr std::size_t kNameSize = 36;

struct FontEntry
{
  std::int32_t size;
  std::int32_t orientation;
  std::int32_t style;
  char name[kNameSize];
  std::unique_ptr<RasterFont> font;
};

// The process-wide cache; its fonts are deleted when the module unloads.
struct FontCache
{
  IMutex lock;
  std::vector<FontEntry> entries;
};

FontCache& Cache()
{
  static FontCache cache;
  return cache;
}

const char* NameOf(const RasterFontStyle& style)
{
  return style.name != nullptr ? style.name : "";
}

bool Matches(const FontEntry& entry, const RasterFontStyle& style)
{
  return entry.size == style.size && entry.orientation == style.orientation && entry.style == style.style &&
         std::strncmp(entry.name, NameOf(style), kNameSize - 1) == 0;
}

// The CreateFontA quality for a text style's quality.
std::int32_t FontQuality(std::int32_t quality)
{
  switch (quality)
  {
  case 0: return 0;
  case 2: return 4;
  case 3: return 5;
  default: return 3;
  }
}
}  // namespace

RasterFont* RasterFontCacheFind(const RasterFontStyle& style)
{
  FontCache& cache = Cache();
  const IMutexLock hold(cache.lock);
  for (const FontEntry& entry : cache.entries)
  {
    if (Matches(entry, style))
      return entry.font.get();
  }
  return nullptr;
}

RasterFont* RasterFontCacheAdd(std::unique_ptr<RasterFont> font, const RasterFontStyle& style)
{
  if (!font)
    return nullptr;
  FontEntry entry{style.size, style.orientation, style.style, {}, std::move(font)};
  std::strncpy(entry.name, NameOf(style), kNameSize - 1);
  FontCache& cache = Cache();
  const IMutexLock hold(cache.lock);
  try
  {
    cache.entries.push_back(std::move(entry));
  }
  catch (const std::bad_alloc&)
  {
    return nullptr;
  }
  return cache.entries.back().font.get();
}

RasterFont* RasterFontCacheGetOrCreate(const RasterFontStyle& style)
{
  if (RasterFont* const cached = RasterFontCacheFind(style))
    return cached;

  std::unique_ptr<RasterCachedFont> font(new (std::nothrow) RasterCachedFont);
  if (!font)
    return nullptr;
  // Whole turns are dropped first, so the angle in tenths of a degree fits.
  const std::int32_t tenths = style.orientation % 360 * 10;
  RasterFontRequest request;
  request.name = NameOf(style);
  request.height = style.size;
  request.escapement = tenths;
  request.orientation = tenths;
  request.weight = style.style == 1 ? 700 : 400;
  request.italic = style.style == 2;
  request.quality = FontQuality(style.quality);
  const RasterFontHandle handle = RasterCreateFontHandle(request);
  if (handle == nullptr)
    return nullptr;
  font->SetFromFontHandle(handle, kRasterFontOwnsHandle | kRasterFontNativeAllowed);
  return RasterFontCacheAdd(std::move(font), style);
}
