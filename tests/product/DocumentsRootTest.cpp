#include "product/DocumentsRoot.h"
#include "product/PresetLibrary.h"

#include "tests/product/TemporaryHome.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace
{

TEST(DocumentsRoot, FollowsHome)
{
  const TemporaryHome home;
  // The user's own Factory folder: a machine-wide install must not change these paths.
  home.MakeLibraryFolder("Factory");
  EXPECT_EQ(DocumentsRoot(), home.Path() + "/Documents");
  EXPECT_EQ(PresetLibraryFolder(), home.Path() + "/Documents/PleoAudio/Quillwave/Presets/");
  EXPECT_EQ(
      PresetLibraryPath(3),
      home.Path() +
          "/Documents/PleoAudio/Quillwave/Presets/Factory/CHRS - Clean Chorus B.quillwavepreset");
  EXPECT_EQ(PresetLibraryPath(0), PresetLibraryFolder());
  EXPECT_EQ(PresetLibraryPath(114), PresetLibraryFolder());
}

TEST(DocumentsRoot, TrailingSlashOfHomeIsNotDoubled)
{
  const TemporaryHome home;
  setenv("HOME", (home.Path() + "/").c_str(), 1);
  EXPECT_EQ(DocumentsRoot(), home.Path() + "/Documents");
}

TEST(DocumentsRoot, UnsetHomeFallsBackToThePasswordDatabase)
{
  const TemporaryHome home;
  unsetenv("HOME");
  const passwd* entry = getpwuid(getuid());
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(DocumentsRoot(), std::string(entry->pw_dir) + "/Documents");
  setenv("HOME", "", 1);
  EXPECT_EQ(DocumentsRoot(), std::string(entry->pw_dir) + "/Documents");
}

}  // namespace
