#pragma once

#include "graphics/IBitmapStrip.h"
#include "raster/RasterMemBitmap.h"

#include <cstdint>
#include <memory>
#include <vector>

// Opaque pixel words that say which frame of which image they belong to:
// blue is the frame number (from 1), green the image's tag.
inline uint32_t FramePixel(int tag, int frame)
{
  return 0xFF000000u | static_cast<uint32_t>(tag & 0xFF) << 8 | static_cast<uint32_t>(frame & 0xFF);
}

// Bitmaps made for a test, kept alive for as long as the test's strips.
class TestImages
{
public:
  // A vertical strip of `frames` frames of frameWidth × frameHeight, every
  // pixel of frame k being FramePixel(tag, k).
  IBitmapStrip Strip(int tag, int frameWidth, int frameHeight, int frames)
  {
    auto bitmap = std::make_unique<RasterMemBitmap>(frameWidth, frameHeight * frames);
    for (int y = 0; y < frameHeight * frames; ++y)
    {
      uint32_t* row = bitmap->Bits() + static_cast<ptrdiff_t>(y) * bitmap->RowSpan();
      for (int x = 0; x < frameWidth; ++x)
        row[x] = FramePixel(tag, y / frameHeight + 1);
    }
    IBitmapStrip strip;
    strip.bitmap = bitmap.get();
    strip.width = frameWidth;
    strip.height = frameHeight * frames;
    strip.frameCount = frames;
    bitmaps.push_back(std::move(bitmap));
    return strip;
  }

  // A one-frame image filled with `pixel`.
  std::unique_ptr<RasterMemBitmap> Filled(int width, int height, uint32_t pixel)
  {
    auto bitmap = std::make_unique<RasterMemBitmap>(width, height);
    for (int y = 0; y < height; ++y)
    {
      uint32_t* row = bitmap->Bits() + static_cast<ptrdiff_t>(y) * bitmap->RowSpan();
      for (int x = 0; x < width; ++x)
        row[x] = pixel;
    }
    return bitmap;
  }

private:
  std::vector<std::unique_ptr<RasterMemBitmap>> bitmaps;
};

// The pixel at (x, y) of a bitmap with storage.
inline uint32_t PixelAt(const RasterBitmap& bitmap, int x, int y)
{
  return bitmap.Bits()[static_cast<ptrdiff_t>(y) * bitmap.RowSpan() + x];
}
