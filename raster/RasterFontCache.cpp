#include "raster/RasterFontCache.h"

#include "raster/RasterCachedFont.h"
#include "raster/RasterKeyedCache.h"

#include <cstring>
#include <new>

namespace
{
constexpr std::size_t kNameSize = 36;

const char* NameOf(const RasterFontStyle& style)
{
  return style.name != nullptr ? style.name : "";
}

// A font's place in the cache: the style without its quality, and the name
// cut to the length the cache keeps.
struct FontKey
{
  explicit FontKey(const RasterFontStyle& from)
      : size(from.size), orientation(from.orientation), style(from.style)
  {
    std::strncpy(name, NameOf(from), kNameSize - 1);
  }

  bool operator==(const FontKey& other) const
  {
    return size == other.size && orientation == other.orientation && style == other.style &&
           std::strncmp(name, other.name, kNameSize - 1) == 0;
  }

  std::int32_t size;
  std::int32_t orientation;
  std::int32_t style;
  char name[kNameSize] = {};
};

// The process-wide cache; its fonts are deleted when the module unloads.
RasterKeyedCache<FontKey, RasterFont>& Cache()
{
  static RasterKeyedCache<FontKey, RasterFont> cache;
  return cache;
}

// The CreateFontA quality for a text style's quality.
std::int32_t FontQuality(std::int32_t quality)
{
  switch (quality)
  {
    case 0:
      return 0;
    case 2:
      return 4;
    case 3:
      return 5;
    default:
      return 3;
  }
}
}  // namespace

RasterFont* RasterFontCacheFind(const RasterFontStyle& style)
{
  return Cache().Find(FontKey(style));
}

RasterFont* RasterFontCacheAdd(std::unique_ptr<RasterFont> font, const RasterFontStyle& style)
{
  return Cache().Add(FontKey(style), std::move(font));
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
