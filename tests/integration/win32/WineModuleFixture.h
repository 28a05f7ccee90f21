#pragma once

// The module tests' fixture: one plug-in instance of the module under test, loaded from its
// install layout in the Wine prefix through the Windows test host (tools/pluginhost), the
// way a Windows host loads it. Parameterised by the module path.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/integration/win32/WineInstall.h"
#include "tools/pluginhost/PluginInstance.h"
#include "tools/pluginhost/PluginSettings.h"

namespace winetest
{

inline std::unique_ptr<PluginInstance> LoadModule(const std::string& path)
{
  std::string error;
  auto plugin = LoadPluginModule(path, error);
  EXPECT_NE(plugin, nullptr) << error;
  return plugin;
}

class WineModule : public ::testing::TestWithParam<const char*>
{
protected:
  void SetUp() override
  {
    plugin = LoadModule(GetParam());
    ASSERT_NE(plugin, nullptr);
  }

  std::unique_ptr<PluginInstance> Load() const { return LoadModule(GetParam()); }

  // The index of a parameter by name; fails the test when there is none.
  int Index(const std::string& name) const
  {
    const int index = FindParameter(*plugin, name);
    EXPECT_GE(index, 0) << "no parameter " << name;
    return index;
  }
  double Value(const std::string& name) const { return plugin->Normalized(Index(name)); }

  bool IsVst2() const { return plugin->Format() == "VST2"; }

  std::unique_ptr<PluginInstance> plugin;
};

// Names the parameterised cases after the module's format.
inline std::string FormatName(const ::testing::TestParamInfo<const char*>& info)
{
  return std::string(info.param) == wineinstall::kVst2Module ? "VST2" : "VST3";
}

}  // namespace winetest

// Instantiates a WineModule suite for both installed modules.
#define WINE_MODULE_SUITE(Suite)                                                                   \
  INSTANTIATE_TEST_SUITE_P(BothModules, Suite,                                                     \
                           ::testing::Values(wineinstall::kVst3Bundle, wineinstall::kVst2Module),  \
                           winetest::FormatName)
