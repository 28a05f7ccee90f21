#pragma once

#include <cstdint>
#include <memory>

// The platform side of RasterSysBitmap: the device context and the pixel
// surface selected into it (linux/RasterSysSurfaceLinux.cpp, and a Windows
// DIB section later).
class RasterSysSurface
{
public:
  // Null when the platform cannot make a drawing context.
  static std::unique_ptr<RasterSysSurface> Create();

  RasterSysSurface() = default;
  RasterSysSurface(const RasterSysSurface&) = delete;
  RasterSysSurface& operator=(const RasterSysSurface&) = delete;
  virtual ~RasterSysSurface() = default;

  virtual void* DeviceContext() const = 0;
  // A surface of width × height 32-bit pixels with rows top-down (call
  // Release first); null when it cannot be made.
  virtual std::uint32_t* Allocate(std::int32_t width, std::int32_t height) = 0;
  // Frees the current surface, if any.
  virtual void Release() = 0;
};
