#include "product/DocumentsRoot.h"

#include "framework/FolderPath.h"
#include "framework/HomeFolder.h"

std::string DocumentsRoot()
{
  std::string root = WithoutTrailingSlashes(HomeFolder());
  if (root.empty())
  {
    return {};
  }
  if (root == "/")
  {
    root.clear();
  }
  return root + "/Documents";
}
