// Well-known folders: of the host program, of the plug-in module, the
// desktop and the application data folders.
#include "graphics/win32/IGraphicsWin.h"
#include "graphics/win32/WinPathText.h"

#include <shlobj.h>

#include <vector>

namespace
{

// The longest path Windows hands out, in characters.
constexpr DWORD kMaxLongPath = 32768;

// The full path of `module` (null: the program); empty when unknown.
std::string ModulePath(HMODULE module)
{
  std::vector<char> buffer(MAX_PATH);
  while (true)
  {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameA(module, buffer.data(), size);
    if (length == 0)
      return {};
    // A full buffer means the path was cut: try a larger one.
    if (length < buffer.size())
      return std::string(buffer.data(), length);
    if (buffer.size() >= kMaxLongPath)
      return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

void IGraphicsWin::HostPath(std::string& path)
{
  path = FolderOfModulePath(ModulePath(nullptr));
}

void IGraphicsWin::PluginPath(std::string& path)
{
  path = FolderOfModulePath(ModulePath(moduleInstance));
}

void IGraphicsWin::DesktopPath(std::string& path)
{
  char folder[MAX_PATH] = {};
  path = SHGetSpecialFolderPathA(nullptr, folder, CSIDL_DESKTOP, FALSE) ? folder : "";
}

void IGraphicsWin::AppDataPath(std::string& path, bool system)
{
  char folder[MAX_PATH] = {};
  const int which = system ? CSIDL_COMMON_APPDATA : CSIDL_LOCAL_APPDATA;
  path = SUCCEEDED(SHGetFolderPathA(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, folder)) ? folder
                                                                                          : "";
}
