#pragma once

#include "raster/RasterBitmap.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

// A bitmap in ordinary heap memory. Rows are padded to a multiple of four
// pixels and the first pixel is aligned to 64 bytes. The storage grows on
// demand and never shrinks while the bitmap has a size.
class RasterMemBitmap : public RasterBitmap
{
public:
  // An empty bitmap unless both sizes are positive.
  explicit RasterMemBitmap(int width = 0, int height = 0);
  ~RasterMemBitmap() override;

  std::uint32_t* Bits() const override;
  int Width() const override { return width; }
  int Height() const override { return height; }
  int RowSpan() const override { return (width + rowAlignMask) & ~rowAlignMask; }
  bool Resize(int width, int height) override;

  // Usable bytes of the current allocation (without the alignment slack).
  std::int32_t AllocatedBytes() const { return allocated; }

private:
  struct FreeDeleter
  {
    void operator()(void* block) const { std::free(block); }
  };

  std::unique_ptr<void, FreeDeleter> storage;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t allocated = 0;
  const std::int32_t rowAlignMask = 3;
};
