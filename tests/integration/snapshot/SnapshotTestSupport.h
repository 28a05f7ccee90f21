#pragma once

// What the editor tests share: a private HOME holding the factory presets where the plug-in
// looks for its library, PNG files read back, and the editor's own artwork to compare with.

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace snapshottest
{

namespace fs = std::filesystem;

// The effect on/off switch: its rectangle's top-left corner and the point the tests click,
// the centre of its 26-pixel frames.
constexpr int kSwitchLeft = 237;
constexpr int kSwitchTop = 294;
constexpr int kSwitchX = 250;
constexpr int kSwitchY = 307;

// A picture as 32-bit words, red in bits 16 to 23, alpha on top, rows top-down.
struct Picture
{
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  bool SameArea(const Picture& other, int left, int top, int right, int bottom) const
  {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (At(x, y) != other.At(x, y))
          return false;
    return true;
  }
};

inline Picture ReadPng(const std::string& path)
{
  Picture picture;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str()))
    return picture;
  image.format = PNG_FORMAT_BGRA;  // in memory the bytes of the 32-bit words
  std::vector<uint32_t> pixels(static_cast<size_t>(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
  {
    png_image_free(&image);
    return picture;
  }
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.pixels = std::move(pixels);
  return picture;
}

// A pixel of one of the editor's images as the module embeds it.
inline uint32_t ArtworkPixel(const std::string& image, int x, int y)
{
  const Picture art = ReadPng(std::string(QUILLWAVE_SOURCE_DIR) + "/resources/img/" + image);
  EXPECT_GT(art.width, x) << image;
  return art.width > x && art.height > y ? art.At(x, y) : 0;
}

// Each test gets a fresh folder and HOME, with the factory presets installed where the
// plug-in's preset library lives; the real HOME is never touched.
class EditorFolder : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "-" + test->name();
    for (char& c : name)
      if (c == '/')
        c = '-';
    folder = fs::temp_directory_path() / ("quillwave-snapshot-test-" + name);
    fs::remove_all(folder);
    library = folder / "home" / "Documents" / "PleoAudio" / "Quillwave" / "Presets";
    fs::create_directories(library);
    fs::copy(fs::path(QUILLWAVE_SOURCE_DIR) / "presets" / "Factory", library / "Factory");
    setenv("HOME", (folder / "home").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(folder); }

  std::string Path(const std::string& name) const { return (folder / name).string(); }
  std::string Factory(const std::string& preset) const
  {
    return (library / "Factory" / (preset + ".quillwavepreset")).string();
  }

  fs::path folder;
  fs::path library;
};

}  // namespace snapshottest
