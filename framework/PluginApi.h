#pragma once

#include <cstdint>

// The plug-in interface whose binding hosts the object.
enum class PluginApi : int32_t
{
  VST2 = 0,
  VST3 = 1,
};
