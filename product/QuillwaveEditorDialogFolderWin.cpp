// Windows dialogs take the folder with backslashes and without a trailing
// separator.
#include "product/QuillwaveEditorDialogFolder.h"

#include "product/PresetLibrary.h"

#include <algorithm>

std::string PresetDialogFolder()
{
  std::string folder = PresetLibraryFolder();
  while (!folder.empty() && folder.back() == '/')
    folder.pop_back();
  std::replace(folder.begin(), folder.end(), '/', '\\');
  return folder;
}
