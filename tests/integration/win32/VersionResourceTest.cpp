// The version resource of both installed Windows modules, read the way Explorer's file
// properties read it: GetFileVersionInfo and VerQueryValue.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "QuillwaveVersion.h"
#include "tests/integration/win32/WineInstall.h"

namespace winetest
{
namespace
{

struct ModuleVersion
{
  const char* path;
  const char* description;
  const char* fileName;
};

class VersionResource : public ::testing::TestWithParam<ModuleVersion>
{
protected:
  void SetUp() override
  {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(GetParam().path, &ignored);
    ASSERT_GT(size, 0u) << "no version resource in " << GetParam().path;
    block.resize(size);
    ASSERT_TRUE(GetFileVersionInfoA(GetParam().path, 0, size, block.data()));
  }

  // A string of the US English, Unicode table, or "" when it is missing.
  std::string Text(const std::string& name)
  {
    char* value = nullptr;
    UINT length = 0;
    const std::string key = "\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) ||
        value == nullptr)
      return {};
    return value;
  }

  std::vector<char> block;
};

TEST_P(VersionResource, NamesTheReleaseItsMakerAndTheModule)
{
  EXPECT_EQ(Text("FileVersion"), QUILLWAVE_VERSION_STRING);
  EXPECT_EQ(Text("ProductVersion"), QUILLWAVE_VERSION_STRING);
  EXPECT_EQ(Text("ProductName"), "Quillwave");
  EXPECT_EQ(Text("CompanyName"), QUILLWAVE_VENDOR);
  EXPECT_EQ(Text("LegalCopyright"), QUILLWAVE_COPYRIGHT);
  EXPECT_EQ(Text("FileDescription"), GetParam().description);
  EXPECT_EQ(Text("OriginalFilename"), GetParam().fileName);

  // The numeric version Explorer sorts by: 1.0.2.0 for 1.0.2.
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  const DWORD major = static_cast<DWORD>(kQuillwaveVersion) >> 16;
  const DWORD minor = (static_cast<DWORD>(kQuillwaveVersion) >> 8) & 0xFF;
  const DWORD revision = static_cast<DWORD>(kQuillwaveVersion) & 0xFF;
  EXPECT_EQ(fixed->dwFileVersionMS, (major << 16) | minor);
  EXPECT_EQ(fixed->dwFileVersionLS, revision << 16);
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

INSTANTIATE_TEST_SUITE_P(
    BothModules, VersionResource,
    ::testing::Values(
        ModuleVersion{wineinstall::kVst3Module, "Quillwave VST3 plug-in", "Quillwave.vst3"},
        ModuleVersion{wineinstall::kVst2Module, "Quillwave VST2 plug-in", "Quillwave.dll"}),
    [](const ::testing::TestParamInfo<ModuleVersion>& info) {
      return info.index == 0 ? "VST3" : "VST2";
    });

}  // namespace
}  // namespace winetest
