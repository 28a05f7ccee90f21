#include "graphics/win32/WinPathText.h"

#include <gtest/gtest.h>

TEST(WinPathText, ModuleFolderKeepsItsLastBackslash)
{
  EXPECT_EQ(FolderOfModulePath("C:\\Program Files\\Host\\host.exe"), "C:\\Program Files\\Host\\");
  EXPECT_EQ(FolderOfModulePath("C:\\q.dll"), "C:\\");
  // Nothing after the backslash, or no backslash at all: unknown.
  EXPECT_EQ(FolderOfModulePath("C:\\Host\\"), "");
  EXPECT_EQ(FolderOfModulePath("host.exe"), "");
  EXPECT_EQ(FolderOfModulePath("/unix/style/host"), "");
  EXPECT_EQ(FolderOfModulePath(""), "");
}

TEST(WinPathText, ChosenFileFolderIsItsDriveAndDirectory)
{
  EXPECT_EQ(FolderOfChosenFile("C:\\Presets\\bright.quillwavepreset"), "C:\\Presets\\");
  EXPECT_EQ(FolderOfChosenFile("D:\\a\\b/c.txt"), "D:\\a\\b/");
  EXPECT_EQ(FolderOfChosenFile("\\\\server\\share\\x.txt"), "\\\\server\\share\\");
  EXPECT_EQ(FolderOfChosenFile("C:file.txt"), "C:");
  EXPECT_EQ(FolderOfChosenFile("file.txt"), "");
}

TEST(WinPathText, FilterJoinsTheExtensionsAsPatterns)
{
  const FileDialogFilter one = MakeFileDialogFilter("quillwavepreset");
  EXPECT_EQ(one.pattern, "*.quillwavepreset");
  EXPECT_EQ(one.defaultExtension, "quillwavepreset");
  EXPECT_EQ(one.DialogFilter(), std::string("*.quillwavepreset\0*.quillwavepreset\0\0", 37));

  const FileDialogFilter several = MakeFileDialogFilter("  txt  csv log ");
  EXPECT_EQ(several.pattern, "*.txt;*.csv;*.log");
  EXPECT_EQ(several.defaultExtension, "txt");

  for (const char* none : {"", "   "})
  {
    const FileDialogFilter empty = MakeFileDialogFilter(none);
    EXPECT_EQ(empty.pattern, "");
    EXPECT_EQ(empty.defaultExtension, "");
    EXPECT_EQ(empty.DialogFilter(), "");
  }
  EXPECT_EQ(MakeFileDialogFilter(nullptr).pattern, "");
}

TEST(WinPathText, FilterStaysWithinItsLimits)
{
  // 16 characters: too long to be the default, still a pattern.
  const FileDialogFilter longExtension = MakeFileDialogFilter("abcdefghijklmnop txt");
  EXPECT_EQ(longExtension.defaultExtension, "");
  EXPECT_EQ(longExtension.pattern, "*.abcdefghijklmnop;*.txt");
  EXPECT_EQ(MakeFileDialogFilter("abcdefghijklmno").defaultExtension, "abcdefghijklmno");

  // 60 extensions of 5 characters: each pattern takes 8 characters with its
  // separator (the first 7), so 32 of them (7 + 31 × 8) fill the 255 exactly.
  std::string many;
  for (int i = 0; i < 60; ++i)
    many += "ext" + std::to_string(10 + i) + " ";
  const FileDialogFilter limited = MakeFileDialogFilter(many.c_str());
  EXPECT_LE(limited.pattern.size(), FileDialogFilter::kMaxFilterPattern);
  EXPECT_EQ(limited.pattern.size(), 255u);
  EXPECT_EQ(limited.pattern.substr(limited.pattern.size() - 8), ";*.ext41");
  EXPECT_EQ(limited.defaultExtension, "ext10");
}
