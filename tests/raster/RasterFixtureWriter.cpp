// Writes the files that the tests compile in as module resources:
//   <folder>/coordinates.png  a 3 × 2 CoordinateRgbaImage
//   <folder>/short.bin        five bytes of the PNG signature
#include "tests/raster/PngWriter.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{
bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
  std::FILE* const file = std::fopen(path.c_str(), "wb");
  if (file == nullptr)
    return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}
}  // namespace

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const std::vector<std::uint8_t> png = WritePng(CoordinateRgbaImage(3, 2));
  const std::vector<std::uint8_t> prefix(png.begin(), png.begin() + 5);
  if (png.empty() || !WriteFile(folder + "/coordinates.png", png) ||
      !WriteFile(folder + "/short.bin", prefix))
  {
    std::fprintf(stderr, "%s: cannot write the fixtures in %s\n", argv[0], folder.c_str());
    return 1;
  }
  return 0;
}
