#include "raster/RasterMemBitmap.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace
{
// Slack that lets Bits start on a 64-byte boundary inside the allocation.
constexpr std::int64_t kAlignmentSlack = 63;
// Allocations stay within what the int32 byte count can describe.
constexpr std::int64_t kLargestAllocation =
    std::numeric_limits<std::int32_t>::max() - kAlignmentSlack;
}  // namespace

RasterMemBitmap::RasterMemBitmap(int width, int height)
{
  if (width > 0 && height > 0)
    Resize(width, height);
}

RasterMemBitmap::~RasterMemBitmap() = default;

std::uint32_t* RasterMemBitmap::Bits() const
{
  if (!storage)
    return nullptr;
  const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(storage.get());
  return reinterpret_cast<std::uint32_t*>((address + kAlignmentSlack) & ~std::uintptr_t{63});
}

bool RasterMemBitmap::Resize(int newWidth, int newHeight)
{
  if (newWidth == width && newHeight == height)
    return false;
  width = newWidth;
  height = newHeight;

  if (width > 0 && height > 0)
  {
    const std::int64_t span =
        (static_cast<std::int64_t>(width) + rowAlignMask) & ~std::int64_t{rowAlignMask};
    const std::int64_t needed = static_cast<std::int64_t>(height) * span * 4;
    if (needed > kLargestAllocation)
    {
      storage.reset();
      allocated = 0;
    }
    else if (!storage)
    {
      storage.reset(std::malloc(static_cast<std::size_t>(needed + kAlignmentSlack)));
      allocated = storage ? static_cast<std::int32_t>(needed) : 0;
    }
    else if (allocated < needed)
    {
      // Grow by a quarter more than asked, so a bitmap that keeps growing
      // does not reallocate every time.
      const std::int64_t generous = needed / 4 * 5;
      const std::int64_t target = generous <= kLargestAllocation ? generous : needed;
      void* const grown =
          std::realloc(storage.get(), static_cast<std::size_t>(target + kAlignmentSlack));
      if (grown != nullptr)
      {
        storage.release();
        storage.reset(grown);
        allocated = static_cast<std::int32_t>(target);
      }
      else
      {
        storage.reset(std::malloc(static_cast<std::size_t>(needed + kAlignmentSlack)));
        allocated = storage ? static_cast<std::int32_t>(needed) : 0;
      }
    }
  }
  else
  {
    storage.reset();
    allocated = 0;
  }

  if (!storage)
  {
    width = 0;
    height = 0;
  }
  return true;
}
