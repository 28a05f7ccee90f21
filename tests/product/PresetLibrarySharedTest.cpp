// Where factory presets are read from when a system package installed them
// machine-wide: this program's library code is built with the shared library
// at QUILLWAVE_SHARED_PRESET_LIBRARY, a folder of the build tree.
#include "product/PresetLibraryShared.h"
#include "product/PresetCatalogue.h"
#include "product/PresetLibrary.h"

#include "tests/product/TemporaryHome.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

const std::string kFactoryFile = PresetCatalogueFile(3);
const std::string kUserFile = PresetCatalogueFile(kPresetUserFirstNumber);

class SharedPresetLibrary : public ::testing::Test
{
protected:
  void TearDown() override { std::filesystem::remove_all(PresetLibrarySharedFolder()); }

  void InstallSharedFactory() const
  {
    std::filesystem::create_directories(PresetLibrarySharedFolder() + "Factory");
  }

  std::string User(const std::string& file) const { return PresetLibraryFolder() + file; }
  std::string Shared(const std::string& file) const { return PresetLibrarySharedFolder() + file; }

  TemporaryHome home;
};

TEST_F(SharedPresetLibrary, ServesFactoryPresetsToAUserWithoutAFactoryFolder)
{
  InstallSharedFactory();
  EXPECT_EQ(PresetLibraryPath(3), Shared(kFactoryFile));
  // User slots, the dialogs' folder and an empty slot stay with the user.
  EXPECT_EQ(PresetLibraryPath(kPresetUserFirstNumber), User(kUserFile));
  EXPECT_EQ(PresetLibraryFolder(), home.Path() + "/Documents/PleoAudio/Quillwave/Presets/");
  EXPECT_EQ(PresetLibraryPath(0), PresetLibraryFolder());
}

TEST_F(SharedPresetLibrary, TheUsersOwnFactoryFolderWins)
{
  InstallSharedFactory();
  home.MakeLibraryFolder("Factory");
  EXPECT_EQ(PresetLibraryPath(3), User(kFactoryFile));
}

TEST_F(SharedPresetLibrary, WithoutASharedFactoryFolderThePathStaysTheUsers)
{
  EXPECT_EQ(PresetLibraryPath(3), User(kFactoryFile));
  std::filesystem::create_directories(PresetLibrarySharedFolder());
  EXPECT_EQ(PresetLibraryPath(3), User(kFactoryFile));
}

}  // namespace
