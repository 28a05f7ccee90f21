#include "product/PresetLibrary.h"

#include "product/DocumentsRoot.h"
#include "product/PresetCatalogue.h"
#include "product/PresetLibraryShared.h"

#include <filesystem>
#include <system_error>

namespace
{

// The catalogue files of the factory presets start with their folder.
constexpr const char* kFactoryFolder = "Factory/";

bool IsFolder(const std::string& path)
{
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

// The library that holds the factory presets: the user's own unless the user
// has no Factory folder and the machine-wide library has one.
std::string FactoryLibraryFolder(const std::string& userFolder)
{
  const std::string shared = PresetLibrarySharedFolder();
  if (shared.empty() || (!userFolder.empty() && IsFolder(userFolder + kFactoryFolder)) ||
      !IsFolder(shared + kFactoryFolder))
  {
    return userFolder;
  }
  return shared;
}

}  // namespace

std::string PresetLibraryFolder()
{
  const std::string root = DocumentsRoot();
  if (root.empty())
  {
    return {};
  }
  return root + "/PleoAudio/Quillwave/Presets/";
}

std::string PresetLibraryPath(int32_t number)
{
  const std::string folder = PresetLibraryFolder();
  const std::string file = PresetCatalogueFile(number);
  const std::string library =
      file.rfind(kFactoryFolder, 0) == 0 ? FactoryLibraryFolder(folder) : folder;
  if (library.empty())
  {
    return {};
  }
  return library + file;
}
