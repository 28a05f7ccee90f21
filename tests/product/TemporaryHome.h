#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

// A fresh, empty folder that HOME points at for the lifetime of the object, so
// the documents root lies inside it and the real one is never touched. The
// folder and everything in it are removed and HOME is restored afterwards.
class TemporaryHome
{
public:
  TemporaryHome()
  {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quillwave-product-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
    {
      ADD_FAILURE() << "cannot create a temporary folder";
    }
    path = pattern;
    if (const char* home = std::getenv("HOME"))
    {
      previous = home;
    }
    setenv("HOME", path.c_str(), 1);
  }

  ~TemporaryHome()
  {
    if (previous)
    {
      setenv("HOME", previous->c_str(), 1);
    }
    else
    {
      unsetenv("HOME");
    }
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }

  TemporaryHome(const TemporaryHome&) = delete;
  TemporaryHome& operator=(const TemporaryHome&) = delete;

  const std::string& Path() const { return path; }

  // Creates <home>/Documents/PleoAudio/Quillwave/Presets/<sub-folder> and returns it.
  std::string MakeLibraryFolder(const std::string& subFolder) const
  {
    const std::filesystem::path folder =
        std::filesystem::path(path) / "Documents/PleoAudio/Quillwave/Presets" / subFolder;
    std::filesystem::create_directories(folder);
    return folder.string();
  }

private:
  std::string path;
  std::optional<std::string> previous;
};
