#pragma once

#include <memory>
#include <string>

#include "tools/pluginhost/PluginInstance.h"

// Creates an instance from a VST2 module through its VSTPluginMain entry point.
std::unique_ptr<PluginInstance> LoadVst2Instance(const std::string& path, std::string& error);
