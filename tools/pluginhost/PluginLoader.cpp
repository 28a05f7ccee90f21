#include <filesystem>

#include "tools/pluginhost/PluginInstance.h"
#include "tools/pluginhost/Vst2PluginInstance.h"
#include "tools/pluginhost/Vst3PluginInstance.h"

std::unique_ptr<PluginInstance> LoadPluginModule(const std::string& path, std::string& error)
{
  namespace fs = std::filesystem;
  if (!fs::exists(path))
  {
    error = "no plug-in module at " + path;
    return nullptr;
  }
  // A VST3 module is a bundle folder, or the shared object inside one.
  const bool vst3 =
      fs::path(path).extension() == ".vst3" || path.find(".vst3/Contents/") != std::string::npos;
  return vst3 ? LoadVst3Instance(path, error) : LoadVst2Instance(path, error);
}
