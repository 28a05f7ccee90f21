#pragma once

#include "raster/RasterBitmap.h"

#include <cstdint>
#include <memory>

class RasterSysSurface;

// A bitmap the platform can draw into and copy to a window: on Windows a
// top-down DIB section selected into a memory device context; on Linux plain
// memory with no device context. The pixel surface only ever grows while the
// bitmap has a size; a smaller size reuses it, so RowSpan stays the
// allocated width.
class RasterSysBitmap : public RasterBitmap
{
public:
  explicit RasterSysBitmap(int width = 0, int height = 0);
  ~RasterSysBitmap() override;

  std::uint32_t* Bits() const override { return bits; }
  int Width() const override { return width; }
  int Height() const override { return height; }
  int RowSpan() const override { return allocatedWidth; }
  bool Resize(int width, int height) override;
  void* DeviceContext() const override;

private:
  std::unique_ptr<RasterSysSurface> surface;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint32_t* bits = nullptr;
  std::int32_t allocatedWidth = 0;
  std::int32_t allocatedHeight = 0;
};
