#include "raster/RasterImageLoader.h"
#include "raster/RasterPng.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace
{
struct FileCloser
{
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// The tail of the path from its last '.' or '/', looking no further back
// than its last backslash, must be ".png" in any case.
bool HasPngExtension(const char* path)
{
  const char* tail = nullptr;
  for (const char* p = path; *p != '\0'; ++p)
  {
    if (*p == '\\')
      tail = nullptr;
    else if (*p == '.' || *p == '/')
      tail = p;
  }
  if (tail == nullptr || std::strlen(tail) != 4)
    return false;
  static const char kExtension[] = ".png";
  for (int i = 0; i < 4; ++i)
  {
    const char c = tail[i];
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != kExtension[i])
      return false;
  }
  return true;
}

// The whole file, or false when it cannot be opened or read. It is read to
// its end rather than sized first, since what a path names (a folder, a
// pipe) need not report a true size.
bool ReadWholeFile(const char* path, bool checkExtension, std::vector<std::uint8_t>& bytes)
{
  if (path == nullptr || (checkExtension && !HasPngExtension(path)))
    return false;
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
  if (!file)
    return false;
  std::uint8_t chunk[65536];
  try
  {
    for (;;)
    {
      const std::size_t count = std::fread(chunk, 1, sizeof chunk, file.get());
      bytes.insert(bytes.end(), chunk, chunk + count);
      if (count < sizeof chunk)
        break;
    }
  }
  catch (const std::bad_alloc&)
  {
    return false;
  }
  return std::ferror(file.get()) == 0;
}

std::unique_ptr<RasterBitmap> LoadPngFileEntry(const char* path, bool checkExtension)
{
  return LoadPngFile(path, checkExtension);
}

const char* PngFileDescription()
{
  return "PNG files (*.PNG)";
}

// The PNG loader heads the list from the start: both are constant
// initialised, so the list is complete before any code of the process runs.
RasterImageLoader pngLoader{&LoadPngFileEntry, &PngFileDescription, nullptr};
const RasterImageLoader* loaderListHead = &pngLoader;
}  // namespace

std::unique_ptr<RasterMemBitmap> LoadPngFile(const char* path, bool checkExtension)
{
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(path, checkExtension, bytes))
    return nullptr;
  return DecodePng(bytes.data(), bytes.size());
}

bool LoadPngFile(const char* path, bool checkExtension, RasterBitmap& target)
{
  std::vector<std::uint8_t> bytes;
  return ReadWholeFile(path, checkExtension, bytes) &&
         DecodePng(bytes.data(), bytes.size(), target);
}

const RasterImageLoader* RasterImageLoaders()
{
  return loaderListHead;
}

void RasterRegisterImageLoader(RasterImageLoader& loader)
{
  loader.next = loaderListHead;
  loaderListHead = &loader;
}
