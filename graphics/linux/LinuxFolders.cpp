#include "graphics/linux/LinuxFolders.h"

#include "framework/HomeFolder.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace
{

std::string Environment(const char* name)
{
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

std::string FolderOfFile(const std::string& path)
{
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ProgramFolder()
{
  std::vector<char> buffer(4096);
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0 || static_cast<size_t>(length) >= buffer.size())
    return {};
  return FolderOfFile(std::string(buffer.data(), static_cast<size_t>(length)));
}

std::string ModuleFolder()
{
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&ModuleFolder), &info) == 0 || !info.dli_fname)
    return {};
  return FolderOfFile(info.dli_fname);
}

std::string DesktopFolder()
{
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/Desktop";
}

std::string DataFolder(bool system)
{
  if (system)
    return "/usr/local/share";
  const std::string dataHome = Environment("XDG_DATA_HOME");
  if (!dataHome.empty())
    return dataHome;
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.local/share";
}
