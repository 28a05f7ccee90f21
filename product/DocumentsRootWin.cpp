// The shared ("public") documents folder of all users, as the Windows shell
// reports it, with forward slashes.
#include "product/DocumentsRoot.h"

#include "framework/FolderPath.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

std::string DocumentsRoot()
{
  char path[272] = {};
  // Without the folder there is no library: an empty root keeps every preset
  // path relative to nothing, so no file is found or written by accident.
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, SHGFP_TYPE_CURRENT, path)))
    return {};
  std::string root(path);
  std::replace(root.begin(), root.end(), '\\', '/');
  return WithoutTrailingSlashes(root);
}
