#include "raster/RasterSysBitmap.h"

#include "raster/RasterSysSurface.h"

#include <cstdint>

RasterSysBitmap::RasterSysBitmap(int newWidth, int newHeight) : surface(RasterSysSurface::Create())
{
  Resize(newWidth, newHeight);
}

RasterSysBitmap::~RasterSysBitmap() = default;

void* RasterSysBitmap::DeviceContext() const
{
  return surface ? surface->DeviceContext() : nullptr;
}

bool RasterSysBitmap::Resize(int newWidth, int newHeight)
{
  if (!surface)
  {
    width = 0;
    height = 0;
    bits = nullptr;
    return false;
  }
  if (newWidth == width && newHeight == height)
    return false;
  width = newWidth;
  height = newHeight;

  // A smaller size keeps the larger surface; only growing reallocates.
  if (width != 0 && height != 0 && bits != nullptr && allocatedWidth >= width &&
      allocatedHeight >= height)
    return true;

  const std::int64_t paddedWidth = (static_cast<std::int64_t>(width) + 3) & ~std::int64_t{3};
  surface->Release();
  bits = nullptr;
  if (paddedWidth < 1 || height < 1 || paddedWidth > INT32_MAX)
  {
    // Without pixels the bitmap has no size either.
    width = 0;
    height = 0;
    allocatedWidth = 0;
    allocatedHeight = 0;
    return false;
  }
  allocatedWidth = static_cast<std::int32_t>(paddedWidth);
  allocatedHeight = height;
  bits = surface->Allocate(allocatedWidth, allocatedHeight);
  if (bits == nullptr)
  {
    width = 0;
    height = 0;
  }
  return true;
}
