#include "product/PresetLibrary.h"

#include "product/DocumentsRoot.h"
#include "product/PresetCatalogue.h"

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
  if (folder.empty())
  {
    return {};
  }
  return folder + PresetCatalogueFile(number);
}
