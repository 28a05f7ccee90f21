#pragma once

#include <cstddef>
#include <cstdint>

// A 32-bit bitmap: one word per pixel, alpha in bits 24-31, red 16-23,
// green 8-15, blue 0-7 (bytes in memory blue, green, red, alpha), straight
// alpha. Pixel (x, y) is word x of row y; rows are RowSpan words apart.
class RasterBitmap
{
public:
  RasterBitmap() = default;
  RasterBitmap(const RasterBitmap&) = delete;
  RasterBitmap& operator=(const RasterBitmap&) = delete;

  virtual ~RasterBitmap() = default;
  // First pixel of row 0, or null while the bitmap has no storage. Valid
  // until the next Resize.
  virtual std::uint32_t* Bits() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Distance between rows, in pixels; at least Width.
  virtual int RowSpan() const = 0;
  // True when the rows are stored bottom-up: row 0 is last in memory and
  // row y lies y × RowSpan words below Bits.
  virtual bool IsFlipped() const { return false; }
  // True when the size (and possibly the storage) changed.
  virtual bool Resize(int width, int height) = 0;
  // The platform drawing context that draws into the pixels, or null.
  virtual void* DeviceContext() const { return nullptr; }
  virtual int ExtendedQuery(int /*tag*/, void* /*data*/) { return 0; }
};

// Signed distance in words from one row to the next in memory; negative for
// bottom-up bitmaps, so every operation can walk rows the same way.
inline std::ptrdiff_t RasterRowStride(const RasterBitmap& bitmap)
{
  const std::ptrdiff_t span = bitmap.RowSpan();
  return bitmap.IsFlipped() ? -span : span;
}

// Pixel (0, y) of a bitmap that has storage.
inline std::uint32_t* RasterRow(const RasterBitmap& bitmap, int y)
{
  return bitmap.Bits() + RasterRowStride(bitmap) * y;
}
