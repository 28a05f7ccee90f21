#include "tests/integration/PngPicture.h"

#include <png.h>

#include <algorithm>
#include <cstdio>

namespace
{

// In memory the bytes of each word are blue, green, red, alpha.
constexpr png_uint_32 kFormat = PNG_FORMAT_BGRA;

}  // namespace

bool WritePngPicture(const std::string& path, const PngPicture& picture, std::string& error)
{
  const size_t count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
  if (picture.width <= 0 || picture.height <= 0 || picture.pixels.size() != count)
  {
    error = "no picture to write to " + path;
    return false;
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = kFormat;
  if (!png_image_write_to_file(&image, path.c_str(), 0, picture.pixels.data(), 0, nullptr))
  {
    error = "cannot write " + path + ": " + image.message;
    return false;
  }
  return true;
}

bool ReadPngPicture(const std::string& path, PngPicture& picture, std::string& error)
{
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str()))
  {
    error = "cannot read " + path + ": " + image.message;
    return false;
  }
  image.format = kFormat;
  std::vector<uint32_t> pixels(static_cast<size_t>(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
  {
    error = "cannot decode " + path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.pixels = std::move(pixels);
  return true;
}

std::string PictureDifference(const PngPicture& shown, const PngPicture& expected,
                              const int* ignored)
{
  if (shown.width != expected.width || shown.height != expected.height)
    return "the pictures are " + std::to_string(shown.width) + " x " +
           std::to_string(shown.height) + " and " + std::to_string(expected.width) + " x " +
           std::to_string(expected.height);
  int count = 0;
  int left = shown.width, top = shown.height, right = -1, bottom = -1;
  int firstX = -1, firstY = -1;
  for (int y = 0; y < shown.height; ++y)
  {
    for (int x = 0; x < shown.width; ++x)
    {
      if (ignored && x >= ignored[0] && x < ignored[2] && y >= ignored[1] && y < ignored[3])
        continue;
      if (((shown.At(x, y) ^ expected.At(x, y)) & 0xFFFFFFu) == 0)
        continue;
      if (count++ == 0)
      {
        firstX = x;
        firstY = y;
      }
      left = std::min(left, x);
      top = std::min(top, y);
      right = std::max(right, x);
      bottom = std::max(bottom, y);
    }
  }
  if (count == 0)
    return "";
  char text[200];
  std::snprintf(text, sizeof text,
                "%d pixels differ, within x %d..%d, y %d..%d; the first at (%d, %d) is %08X, "
                "expected %08X",
                count, left, right, top, bottom, firstX, firstY, shown.At(firstX, firstY),
                expected.At(firstX, firstY));
  return text;
}
