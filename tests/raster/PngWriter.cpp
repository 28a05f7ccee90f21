#include "tests/raster/PngWriter.h"

#include <png.h>

namespace
{
void Append(png_structp png, png_bytep data, png_size_t length)
{
  auto* const out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

// No object with a destructor lives in this frame: libpng may long-jump out.
bool Encode(png_structp png, png_infop info, const PngImage& image, std::vector<std::uint8_t>* out,
            std::vector<png_color>* colours, std::vector<png_bytep>* rowPointers)
{
  if (setjmp(png_jmpbuf(png)))
    return false;
  png_set_write_fn(png, out, &Append, &Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), image.bitDepth, image.colourType,
               image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!colours->empty())
    png_set_PLTE(png, info, colours->data(), static_cast<int>(colours->size()));
  if (!image.paletteAlpha.empty())
    png_set_tRNS(png, info, image.paletteAlpha.data(), static_cast<int>(image.paletteAlpha.size()),
                 nullptr);
  if (image.hasColourKey)
  {
    png_color_16 key{};
    key.red = image.keyRed;
    key.green = image.keyGreen;
    key.blue = image.keyBlue;
    key.gray = image.keyGrey;
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  png_set_rows(png, info, rowPointers->data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  return true;
}
}  // namespace

std::vector<std::uint8_t> WritePng(const PngImage& image)
{
  std::vector<std::uint8_t> out;
  std::vector<png_color> colours;
  for (std::size_t i = 0; i + 2 < image.palette.size(); i += 3)
    colours.push_back(png_color{image.palette[i], image.palette[i + 1], image.palette[i + 2]});
  std::vector<png_bytep> rowPointers;
  for (const auto& row : image.rows)
    rowPointers.push_back(const_cast<png_bytep>(row.data()));
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  const bool written = info != nullptr && Encode(png, info, image, &out, &colours, &rowPointers);
  png_destroy_write_struct(&png, &info);
  if (!written)
    out.clear();
  return out;
}

PngImage CoordinateRgbaImage(int width, int height)
{
  PngImage image;
  image.width = width;
  image.height = height;
  image.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  for (int y = 0; y < height; ++y)
  {
    std::vector<std::uint8_t> row;
    for (int x = 0; x < width; ++x)
    {
      row.push_back(static_cast<std::uint8_t>(40 * x));
      row.push_back(static_cast<std::uint8_t>(50 * y));
      row.push_back(7);
      row.push_back(static_cast<std::uint8_t>(255 - 30 * (x + y)));
    }
    image.rows.push_back(row);
  }
  return image;
}
