#pragma once

#include <memory>
#include <string>

#include "tools/pluginhost/PluginInstance.h"

// Creates an instance from a VST3 module: `path` is the bundle folder or its shared object.
std::unique_ptr<PluginInstance> LoadVst3Instance(const std::string& path, std::string& error);
