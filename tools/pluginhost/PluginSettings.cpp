#include "tools/pluginhost/PluginSettings.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>

#include "product/PresetFile.h"

namespace
{

bool ReadBinaryFile(const std::string& path, std::vector<uint8_t>& bytes)
{
  std::ifstream file(path, std::ios::binary);
  if (!file)
    return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

SettingsStatus ApplyPresetFile(PluginInstance& plugin, const std::string& path, std::string& error)
{
  const auto line = ReadPresetLastLine(path);
  if (!line)
  {
    error = "cannot read the preset file " + path;
    return SettingsStatus::Failed;
  }
  const PresetReadValues values = ParsePresetLine(*line);
  for (size_t i = 0; i < kPresetElements.size(); ++i)
  {
    if (!values[i])
      continue;
    const int index = FindParameter(plugin, kPresetElements[i].tag);
    if (index < 0)
    {
      error = "the module has no parameter " + std::string(kPresetElements[i].tag);
      return SettingsStatus::Failed;
    }
    plugin.SetPlain(index, *values[i]);
  }
  return SettingsStatus::Applied;
}

}  // namespace

bool ParseFiniteNumber(const std::string& text, double& value)
{
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

bool ParseParameterSetting(const std::string& text, ParameterSetting& setting, std::string& error)
{
  const size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0)
  {
    error = "'" + text + "' is not NAME=VALUE";
    return false;
  }
  setting.name = text.substr(0, equals);
  if (!ParseFiniteNumber(text.substr(equals + 1), setting.plain))
  {
    error = "bad value in '" + text + "': a finite decimal number is expected";
    return false;
  }
  return true;
}

int FindParameter(const PluginInstance& plugin, const std::string& name)
{
  for (int i = 0; i < plugin.ParameterCount(); ++i)
    if (plugin.Parameter(i).name == name)
      return i;
  return -1;
}

SettingsStatus ApplySettings(PluginInstance& plugin, const PluginSettings& settings,
                             std::string& error)
{
  if (!settings.stateIn.empty())
  {
    std::vector<uint8_t> state;
    if (!ReadBinaryFile(settings.stateIn, state))
    {
      error = "cannot read the state file " + settings.stateIn;
      return SettingsStatus::Failed;
    }
    if (!plugin.LoadState(state))
    {
      error = "the module refused the state in " + settings.stateIn;
      return SettingsStatus::Failed;
    }
  }
  if (!settings.presetPath.empty())
  {
    const SettingsStatus preset = ApplyPresetFile(plugin, settings.presetPath, error);
    if (preset != SettingsStatus::Applied)
      return preset;
  }
  for (const ParameterSetting& setting : settings.values)
  {
    const int index = FindParameter(plugin, setting.name);
    if (index < 0)
    {
      error = "unknown parameter '" + setting.name + "'; the module's parameters are";
      for (int i = 0; i < plugin.ParameterCount(); ++i)
        error += (i ? ", " : " ") + plugin.Parameter(i).name;
      return SettingsStatus::UnknownParameter;
    }
    plugin.SetPlain(index, setting.plain);
  }
  return SettingsStatus::Applied;
}
