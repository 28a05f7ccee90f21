#pragma once

// Editor pictures as PNG files: 32-bit words with alpha in the top byte and blue in the
// lowest, rows top-down, the editor's own pixel format.

#include <cstdint>
#include <string>
#include <vector>

struct PngPicture
{
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  uint32_t At(int x, int y) const
  {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

bool WritePngPicture(const std::string& path, const PngPicture& picture, std::string& error);
bool ReadPngPicture(const std::string& path, PngPicture& picture, std::string& error);

// Empty when the two pictures have the same size and pixels outside `ignored` (left, top,
// right, bottom; none when null), comparing red, green and blue only; otherwise how many
// pixels differ, the box they lie in and the first of them.
std::string PictureDifference(const PngPicture& shown, const PngPicture& expected,
                              const int* ignored = nullptr);
