// On Linux the library folder is already in the platform's path form:
// forward slashes are the separator, and a backslash would be read as part
// of a file name.
#include "product/QuillwaveEditorDialogFolder.h"

#include "framework/FolderPath.h"
#include "product/PresetLibrary.h"

std::string PresetDialogFolder()
{
  return WithoutTrailingSlashes(PresetLibraryFolder());
}
