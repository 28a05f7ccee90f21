#pragma once

#include <string>
#include <vector>

#include "tools/pluginhost/PluginInstance.h"

// A parameter's value in its plain units, named as the module names the parameter.
struct ParameterSetting
{
  std::string name;
  double plain = 0.0;
};

// Where a plug-in's values come from before it is used, in the order they are applied, so
// that a later source overrides an earlier one: a host state blob, a .quillwavepreset file,
// then single values.
struct PluginSettings
{
  std::string stateIn;
  std::string presetPath;
  std::vector<ParameterSetting> values;
};

enum class SettingsStatus
{
  Applied,
  // A value names a parameter the module does not have: the user's mistake.
  UnknownParameter,
  // A file could not be read or the module refused it.
  Failed,
};

// The whole text as a finite decimal number.
bool ParseFiniteNumber(const std::string& text, double& value);

// "NAME=VALUE", the value a finite decimal number. False with a reason when malformed.
bool ParseParameterSetting(const std::string& text, ParameterSetting& setting, std::string& error);

// The index of the parameter called `name`, or -1.
int FindParameter(const PluginInstance& plugin, const std::string& name);

// Applies the settings in order; on anything but Applied, `error` says why and the sources
// after the failing one are not applied.
SettingsStatus ApplySettings(PluginInstance& plugin, const PluginSettings& settings,
                             std::string& error);
