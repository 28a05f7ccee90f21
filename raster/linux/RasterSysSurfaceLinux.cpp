// On Linux a system bitmap is plain memory: nothing draws into it but this
// library, and the window host copies its pixels out. There is no device
// context.
#include "raster/RasterSysSurface.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace
{
constexpr std::size_t kLargestSurfaceBytes = 0x7FFFFFFF;

class MemorySurface final : public RasterSysSurface
{
public:
  void* DeviceContext() const override { return nullptr; }

  std::uint32_t* Allocate(std::int32_t width, std::int32_t height) override
  {
    // Like a DIB section, a surface stays within 2 GB.
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (count > kLargestSurfaceBytes / sizeof(std::uint32_t))
      return nullptr;
    pixels.reset(new (std::nothrow) std::uint32_t[count]);
    return pixels.get();
  }

  void Release() override { pixels.reset(); }

private:
  std::unique_ptr<std::uint32_t[]> pixels;
};
}  // namespace

std::unique_ptr<RasterSysSurface> RasterSysSurface::Create()
{
  return std::make_unique<MemorySurface>();
}
