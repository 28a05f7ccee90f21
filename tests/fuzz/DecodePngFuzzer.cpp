// PNG data decoded with DecodePng, into a new bitmap and into an existing one
// that must be resized.
//
// Input: the PNG data.
#include "raster/RasterPng.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>

namespace
{
// Reads every pixel of the bitmap's rows, so that a bitmap smaller than its
// stated size shows as a read out of bounds.
uint32_t Checksum(const RasterBitmap& bitmap)
{
  uint32_t sum = 0;
  for (int y = 0; y < bitmap.Height(); ++y)
  {
    const uint32_t* const row = RasterRow(bitmap, y);
    for (int x = 0; x < bitmap.Width(); ++x)
      sum += row[x];
  }
  return sum;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const std::unique_ptr<RasterMemBitmap> decoded = DecodePng(data, size);
  if (decoded)
  {
    FuzzCheck(decoded->Width() > 0 && decoded->Height() > 0 && decoded->Bits() != nullptr,
              "a decoded image has no pixels");
    const uint32_t sum = Checksum(*decoded);

    // The same data decoded into a bitmap of another size gives the same pixels.
    RasterMemBitmap target(3, 5);
    FuzzCheck(DecodePng(data, size, target), "the data decoded once but not twice");
    FuzzCheck(target.Width() == decoded->Width() && target.Height() == decoded->Height(),
              "the two decodings differ in size");
    FuzzCheck(Checksum(target) == sum, "the two decodings differ in their pixels");
  }
  else
  {
    RasterMemBitmap target(3, 5);
    FuzzCheck(!DecodePng(data, size, target), "the data decoded into a bitmap but not on its own");
  }
  return 0;
}
