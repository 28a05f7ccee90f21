#pragma once

#include "raster/RasterBitmap.h"
#include "raster/RasterMemBitmap.h"
#include "raster/RasterModuleResources.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// PNG decoding with libpng. Every image arrives as straight-alpha 32-bit
// pixels: palettes, grey, sub-byte and 16-bit samples are expanded or
// reduced to 8-bit RGB, a tRNS chunk becomes per-pixel alpha, and images
// without alpha are opaque. No gamma correction is applied. Untrusted bytes
// are read bounds-checked; every failure yields null (or false) and leaves
// nothing allocated.

// Decodes into a new bitmap, or null.
std::unique_ptr<RasterMemBitmap> DecodePng(const std::uint8_t* bytes, std::size_t size);

// Decodes into `target`, resized to the image's size; false when the data is
// not a valid PNG or the bitmap cannot take the size (the contents of
// `target` are then unspecified).
bool DecodePng(const std::uint8_t* bytes, std::size_t size, RasterBitmap& target);

// The PNG resource `id` (type "PNG") of `module`, decoded, or null when it is
// missing, shorter than 8 bytes or not a valid PNG.
std::unique_ptr<RasterMemBitmap> LoadPngResource(RasterModuleHandle module, std::int32_t id);

// A PNG file read with mode "rb". With `checkExtension`, only paths ending in
// ".png" (any case) after their last '.', '/' or '\\' are accepted.
std::unique_ptr<RasterMemBitmap> LoadPngFile(const char* path, bool checkExtension);
bool LoadPngFile(const char* path, bool checkExtension, RasterBitmap& target);
