#include "graphics/win32/WinPathText.h"

#include <algorithm>

std::string FolderOfModulePath(const std::string& path)
{
  const size_t backslash = path.rfind('\\');
  if (backslash == std::string::npos || backslash + 1 == path.size())
    return {};
  return path.substr(0, backslash + 1);
}

std::string FolderOfChosenFile(const std::string& path)
{
  const size_t separator = path.find_last_of("\\/");
  if (separator != std::string::npos)
    return path.substr(0, separator + 1);
  // Only a drive, as in "C:file".
  if (path.size() >= 2 && path[1] == ':')
    return path.substr(0, 2);
  return {};
}

std::string FileDialogFilter::DialogFilter() const
{
  if (pattern.empty())
    return {};
  std::string filter = pattern;
  filter += '\0';
  filter += pattern;
  filter += '\0';
  filter += '\0';
  return filter;
}

FileDialogFilter MakeFileDialogFilter(const char* extensions)
{
  FileDialogFilter filter;
  if (!extensions)
    return filter;
  const std::string all = extensions;
  bool first = true;
  size_t start = 0;
  while (start < all.size())
  {
    const size_t end = std::min(all.find(' ', start), all.size());
    const std::string extension = all.substr(start, end - start);
    start = end + 1;
    if (extension.empty())
      continue;
    if (first && extension.size() <= FileDialogFilter::kMaxDefaultExtension)
      filter.defaultExtension = extension;
    first = false;
    const std::string item = (filter.pattern.empty() ? "*." : ";*.") + extension;
    if (filter.pattern.size() + item.size() > FileDialogFilter::kMaxFilterPattern)
      break;
    filter.pattern += item;
  }
  return filter;
}
