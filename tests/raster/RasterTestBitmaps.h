#pragma once

#include "raster/RasterBitmap.h"
#include "raster/RasterMemBitmap.h"

#include <cstdint>
#include <memory>
#include <vector>

// A memory bitmap filled with one pixel value.
inline std::unique_ptr<RasterMemBitmap> FilledBitmap(int width, int height, std::uint32_t pixel)
{
  auto bitmap = std::make_unique<RasterMemBitmap>(width, height);
  for (int y = 0; y < height; ++y)
  {
    for (int x = 0; x < width; ++x)
      RasterRow(*bitmap, y)[x] = pixel;
  }
  return bitmap;
}

inline std::uint32_t PixelAt(const RasterBitmap& bitmap, int x, int y)
{
  return RasterRow(bitmap, y)[x];
}

inline void SetPixel(RasterBitmap& bitmap, int x, int y, std::uint32_t pixel)
{
  RasterRow(bitmap, y)[x] = pixel;
}

// A bottom-up bitmap: row 0 is the last row in memory, as in a bottom-up DIB.
class FlippedBitmap : public RasterBitmap
{
public:
  FlippedBitmap(int width, int height, std::uint32_t pixel)
      : width(width),
        height(height),
        span(width + 2),
        storage(static_cast<std::size_t>(span) * height, pixel)
  {
  }

  std::uint32_t* Bits() const override
  {
    return const_cast<std::uint32_t*>(storage.data()) +
           static_cast<std::size_t>(span) * (height - 1);
  }
  int Width() const override { return width; }
  int Height() const override { return height; }
  int RowSpan() const override { return span; }
  bool IsFlipped() const override { return true; }
  bool Resize(int, int) override { return false; }

  // Pixel (x, y) found by its memory position alone.
  std::uint32_t Stored(int x, int y) const
  {
    return storage[static_cast<std::size_t>(height - 1 - y) * span + x];
  }

private:
  int width;
  int height;
  int span;
  std::vector<std::uint32_t> storage;
};
