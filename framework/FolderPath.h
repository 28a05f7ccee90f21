#pragma once

#include <string>

// `folder` without its trailing '/' separators. The root folder "/" stays as
// it is, since nothing would be left to name it.
inline std::string WithoutTrailingSlashes(std::string folder)
{
  while (folder.size() > 1 && folder.back() == '/')
  {
    folder.pop_back();
  }
  return folder;
}
