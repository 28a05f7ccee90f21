#include "tools/snapshot/SnapshotPng.h"

#include <png.h>

bool WriteSnapshotPng(const std::string& path, const std::vector<uint32_t>& pixels, int width,
                      int height, std::string& error)
{
  if (width <= 0 || height <= 0 ||
      pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
  {
    error = "no picture to write";
    return false;
  }
  std::vector<png_byte> rgb;
  rgb.reserve(pixels.size() * 3);
  for (const uint32_t pixel : pixels)
  {
    rgb.push_back(static_cast<png_byte>(pixel >> 16));
    rgb.push_back(static_cast<png_byte>(pixel >> 8));
    rgb.push_back(static_cast<png_byte>(pixel));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  if (png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0)
    return true;
  error = "cannot write " + path + ": " + image.message;
  png_image_free(&image);
  return false;
}
