#include "raster/RasterImageCache.h"
#include "raster/RasterImageLoader.h"
#include "raster/RasterModuleResources.h"
#include "raster/RasterPng.h"

#include "tests/raster/PngWriter.h"
#include "tests/raster/RasterTestBitmaps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace
{
// A private folder under the system's temporary folder, removed afterwards.
class TemporaryFolder
{
public:
  TemporaryFolder()
  {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    const std::filesystem::path folder =
        base / ("raster_tests_" + std::to_string(std::random_device{}()));
    if (!error && std::filesystem::create_directory(folder, error) && !error)
      path = folder.string();
  }

  ~TemporaryFolder()
  {
    std::error_code error;
    if (!path.empty())
      std::filesystem::remove_all(path, error);
  }

  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const
  {
    const std::string file = path + "/" + name;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return file;
  }

  std::string path;
};

constexpr std::uint32_t kCoordinatePixel21 = 0xA5503207u;  // (2, 1) of CoordinateRgbaImage

TEST(LoadPngFile, ChecksTheExtensionOnlyWhenAsked)
{
  TemporaryFolder folder;
  ASSERT_FALSE(folder.path.empty());
  const std::vector<std::uint8_t> png = WritePng(CoordinateRgbaImage(3, 2));
  const std::string upper = folder.Write("image.PNG", png);
  const std::string other = folder.Write("image.png.bak", png);
  const std::string none = folder.Write("png", png);

  const auto loaded = LoadPngFile(upper.c_str(), true);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(PixelAt(*loaded, 2, 1), kCoordinatePixel21);
  EXPECT_EQ(LoadPngFile(other.c_str(), true), nullptr);
  EXPECT_EQ(LoadPngFile(none.c_str(), true), nullptr);
  EXPECT_NE(LoadPngFile(other.c_str(), false), nullptr);
  EXPECT_NE(LoadPngFile(none.c_str(), false), nullptr);

  RasterMemBitmap target;
  EXPECT_TRUE(LoadPngFile(upper.c_str(), true, target));
  EXPECT_EQ(PixelAt(target, 2, 1), kCoordinatePixel21);
}

TEST(LoadPngFile, TheExtensionIsTheTailAfterTheLastDotOrSlash)
{
  TemporaryFolder folder;
  ASSERT_FALSE(folder.path.empty());
  const std::vector<std::uint8_t> png = WritePng(CoordinateRgbaImage(1, 1));
  folder.Write("a.png", png);
  // A folder named like an image does not make its files images.
  EXPECT_EQ(LoadPngFile((folder.path + "/a.png/").c_str(), true), nullptr);
  EXPECT_NE(LoadPngFile((folder.path + "/a.png").c_str(), true), nullptr);
  // The search looks no further back than the last backslash (a plain
  // character in Linux file names, so both files exist).
  const std::string behind = folder.Write("b.png\\c", png);
  const std::string after = folder.Write("d\\e.png", png);
  EXPECT_EQ(LoadPngFile(behind.c_str(), true), nullptr);
  EXPECT_NE(LoadPngFile(after.c_str(), true), nullptr);
}

TEST(LoadPngFile, MissingUnreadableOrInvalidFilesGiveNull)
{
  TemporaryFolder folder;
  ASSERT_FALSE(folder.path.empty());
  EXPECT_EQ(LoadPngFile(nullptr, false), nullptr);
  EXPECT_EQ(LoadPngFile((folder.path + "/missing.png").c_str(), true), nullptr);
  EXPECT_EQ(LoadPngFile(folder.path.c_str(), false), nullptr);
  const std::string text =
      folder.Write("text.png", {'h', 'e', 'l', 'l', 'o', ' ', 'p', 'n', 'g', '!'});
  EXPECT_EQ(LoadPngFile(text.c_str(), true), nullptr);
  const std::string empty = folder.Write("empty.png", {});
  EXPECT_EQ(LoadPngFile(empty.c_str(), true), nullptr);
}

TEST(RasterImageLoaders, ThePngLoaderHeadsTheListAndLaterLoadersGoInFront)
{
  const RasterImageLoader* const png = RasterImageLoaders();
  ASSERT_NE(png, nullptr);
  EXPECT_STREQ(png->description(), "PNG files (*.PNG)");

  TemporaryFolder folder;
  ASSERT_FALSE(folder.path.empty());
  const std::string file = folder.Write("loader.png", WritePng(CoordinateRgbaImage(3, 2)));
  const auto loaded = png->load(file.c_str(), true);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(PixelAt(*loaded, 2, 1), kCoordinatePixel21);

  static RasterImageLoader other{[](const char*, bool) { return std::unique_ptr<RasterBitmap>(); },
                                 [] { return "Other files (*.OTH)"; }, nullptr};
  RasterRegisterImageLoader(other);
  EXPECT_EQ(RasterImageLoaders(), &other);
  EXPECT_EQ(other.next, png);
}

// A hand-made resource table, as the generated resource source makes one.
const std::vector<std::uint8_t>& CoordinatesPng()
{
  static const std::vector<std::uint8_t> bytes = WritePng(CoordinateRgbaImage(3, 2));
  return bytes;
}

TEST(LoadPngResource, FindsPngResourcesByIdAndTypeOnly)
{
  const std::vector<std::uint8_t>& png = CoordinatesPng();
  const std::uint8_t truncated[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A};
  const RasterResourceEntry entries[] = {
      {101, "PNG", png.data(), static_cast<std::uint32_t>(png.size())},
      {102, "BMP", png.data(), static_cast<std::uint32_t>(png.size())},
      {103, "png", png.data(), static_cast<std::uint32_t>(png.size())},
      {104, "PNG", truncated, sizeof truncated},
      {105, "PNG", png.data(), 40},
  };
  RasterResourceTable table{kRasterResourceTableTag, entries, 5};
  const auto loaded = LoadPngResource(&table, 101);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(PixelAt(*loaded, 2, 1), kCoordinatePixel21);
  EXPECT_EQ(LoadPngResource(&table, 102), nullptr);
  // Resource types compare without regard to case, as Windows compares them.
  EXPECT_NE(LoadPngResource(&table, 103), nullptr);
  EXPECT_EQ(LoadPngResource(&table, 104), nullptr);
  EXPECT_EQ(LoadPngResource(&table, 105), nullptr);
  EXPECT_EQ(LoadPngResource(&table, 106), nullptr);
}

TEST(LoadPngResource, HandlesThatAreNotResourceTablesFindNothing)
{
  EXPECT_EQ(LoadPngResource(nullptr, 101), nullptr);
  std::uint32_t notATable[8] = {0x12345678u};
  EXPECT_EQ(LoadPngResource(notATable, 101), nullptr);
  RasterResourceBytes found;
  EXPECT_FALSE(RasterFindModuleResource(RasterModuleResources(), 201, nullptr, found));
}

TEST(LoadPngResource, ReadsTheTableTheBuildCompiledIn)
{
  // tests/raster/CMakeLists.txt embeds coordinates.png as PNG 201 and DATA 202,
  // and five bytes of it as PNG 203.
  const auto loaded = LoadPngResource(RasterModuleResources(), 201);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->Width(), 3);
  EXPECT_EQ(loaded->Height(), 2);
  EXPECT_EQ(PixelAt(*loaded, 2, 1), kCoordinatePixel21);

  RasterResourceBytes data;
  ASSERT_TRUE(RasterFindModuleResource(RasterModuleResources(), 202, "DATA", data));
  const std::vector<std::uint8_t>& png = CoordinatesPng();
  ASSERT_EQ(data.size, png.size());
  EXPECT_EQ(std::memcmp(data.data, png.data(), png.size()), 0);
  EXPECT_EQ(LoadPngResource(RasterModuleResources(), 202), nullptr);

  RasterResourceBytes prefix;
  ASSERT_TRUE(RasterFindModuleResource(RasterModuleResources(), 203, "PNG", prefix));
  EXPECT_EQ(prefix.size, 5u);
  EXPECT_EQ(LoadPngResource(RasterModuleResources(), 203), nullptr);
}

TEST(RasterImageCache, KeepsTheFirstBitmapPerIdAndNeverStoresNull)
{
  constexpr std::int32_t id = 7001;
  EXPECT_EQ(RasterImageCacheFind(id), nullptr);
  // A failed load leaves the id missing, so the next request loads again.
  EXPECT_EQ(RasterImageCacheAdd(LoadPngResource(nullptr, id), id), nullptr);
  EXPECT_EQ(RasterImageCacheFind(id), nullptr);

  RasterBitmap* const first = RasterImageCacheAdd(FilledBitmap(2, 2, 1), id);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(RasterImageCacheFind(id), first);
  RasterBitmap* const second = RasterImageCacheAdd(FilledBitmap(2, 2, 2), id);
  EXPECT_NE(second, first);
  EXPECT_EQ(RasterImageCacheFind(id), first);
  EXPECT_EQ(RasterImageCacheFind(id + 1), nullptr);
}
}  // namespace
