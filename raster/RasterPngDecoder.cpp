#include "raster/RasterPng.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace
{
constexpr std::size_t kSignatureSize = 8;

// Serves libpng's read requests from memory. Each request is zero-filled
// first and then filled with what is left. A request that runs past the end
// is an error at once: a complete file is never read beyond its end, and a
// damaged chunk length would otherwise make libpng skip through gigabytes of
// zeros before its checksum test fails.
struct MemoryReader
{
  const std::uint8_t* data;
  std::size_t left;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length)
{
  auto* const reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  std::memset(out, 0, length);
  const std::size_t count = std::min<std::size_t>(length, reader->left);
  std::memcpy(out, reader->data, count);
  reader->data += count;
  reader->left -= count;
  if (count < length)
    png_error(png, "read past the end of the data");
}

// libpng's errors return to ReadImage through its long jump; nothing is
// shown to the user.
[[noreturn]] void OnPngError(png_structp png, png_const_charp)
{
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// Where the decoded image goes: `target` when given, otherwise a new bitmap
// in `created`. Both live in the caller's frame.
struct DecodeTarget
{
  RasterBitmap* target;
  std::unique_ptr<RasterMemBitmap>* created;
};

// Reads the whole image. This frame holds nothing with a destructor, so a
// long jump out of libpng skips no clean-up; the caller frees the libpng
// structures and any bitmap made here.
bool ReadImage(png_structp png, png_infop info, MemoryReader& reader, DecodeTarget& out)
{
  if (setjmp(png_jmpbuf(png)))
    return false;

  png_set_read_fn(png, &reader, &ReadFromMemory);
  png_read_info(png, info);

  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 0;
  int colourType = 0;
  int interlace = 0;
  png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);

  bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0;
  if (colourType == PNG_COLOR_TYPE_PALETTE)
    png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
    png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS) != 0)
  {
    png_set_tRNS_to_alpha(png);
    hasAlpha = true;
  }
  if (bitDepth == 16)
    png_set_strip_16(png);
  if (bitDepth < 8)
    png_set_packing(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(png);
  // Every row arrives as A, R, G, B bytes per pixel.
  if (hasAlpha)
    png_set_swap_alpha(png);
  else
    png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);

  if (width > 0x7FFFFFFFu || height > 0x7FFFFFFFu ||
      png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4)
    png_error(png, "unexpected row layout");

  RasterBitmap* bitmap = out.target;
  if (bitmap == nullptr)
  {
    out.created->reset(new (std::nothrow)
                           RasterMemBitmap(static_cast<int>(width), static_cast<int>(height)));
    bitmap = out.created->get();
  }
  else
  {
    bitmap->Resize(static_cast<int>(width), static_cast<int>(height));
  }
  if (bitmap == nullptr || bitmap->Bits() == nullptr ||
      bitmap->Width() != static_cast<int>(width) || bitmap->Height() != static_cast<int>(height))
    return false;

  // Row by row into the bitmap itself; interlaced images are merged over
  // their passes in place.
  for (int pass = 0; pass < passes; ++pass)
  {
    for (png_uint_32 y = 0; y < height; ++y)
      png_read_row(png, reinterpret_cast<png_bytep>(RasterRow(*bitmap, static_cast<int>(y))),
                   nullptr);
  }

  // The rest of the file up to IEND: confirms the image data ended where it
  // should and the file is complete.
  png_read_end(png, nullptr);

  for (png_uint_32 y = 0; y < height; ++y)
  {
    std::uint32_t* const row = RasterRow(*bitmap, static_cast<int>(y));
    const auto* const bytes = reinterpret_cast<const std::uint8_t*>(row);
    for (png_uint_32 x = 0; x < width; ++x)
    {
      const std::uint8_t* const p = bytes + 4 * x;
      row[x] = static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
               static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
    }
  }
  return true;
}

// Owns the libpng read and info structures.
class PngReadStructures
{
public:
  PngReadStructures()
  {
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &OnPngError, &OnPngWarning);
    if (png != nullptr)
      info = png_create_info_struct(png);
  }

  ~PngReadStructures()
  {
    png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
  }

  PngReadStructures(const PngReadStructures&) = delete;
  PngReadStructures& operator=(const PngReadStructures&) = delete;

  bool Valid() const { return png != nullptr && info != nullptr; }

  png_structp png = nullptr;
  png_infop info = nullptr;
};

bool Decode(const std::uint8_t* bytes, std::size_t size, DecodeTarget& out)
{
  if (bytes == nullptr || size < kSignatureSize || png_sig_cmp(bytes, 0, kSignatureSize) != 0)
    return false;
  PngReadStructures structures;
  if (!structures.Valid())
    return false;
  MemoryReader reader{bytes, size};
  return ReadImage(structures.png, structures.info, reader, out);
}
}  // namespace

std::unique_ptr<RasterMemBitmap> DecodePng(const std::uint8_t* bytes, std::size_t size)
{
  std::unique_ptr<RasterMemBitmap> created;
  DecodeTarget out{nullptr, &created};
  if (!Decode(bytes, size, out))
    return nullptr;
  return created;
}

bool DecodePng(const std::uint8_t* bytes, std::size_t size, RasterBitmap& target)
{
  DecodeTarget out{&target, nullptr};
  return Decode(bytes, size, out);
}
