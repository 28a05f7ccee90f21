// Windows dialogs take the folder with backslashes and without a trailing
// separator.
#include "product/QuillwaveEditorDialogFolder.h"

#include "framework/FolderPath.h"
#include "product/PresetLibrary.h"

#include <algorithm>

std::string PresetDialogFolder()
{
  std::string folder = WithoutTrailingSlashes(PresetLibraryFolder());
  std::replace(folder.begin(), folder.end(), '/', '\\');
  return folder;
}
