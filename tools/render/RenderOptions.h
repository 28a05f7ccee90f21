#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/pluginhost/PluginInstance.h"
#include "tools/pluginhost/PluginSettings.h"

// A controller message at a time in seconds from the start of the file, on MIDI channel 1.
struct TimedController
{
  double seconds = 0.0;
  uint8_t controller = 0;
  uint8_t value = 0;
};

struct RenderOptions
{
  std::string modulePath;
  std::string inputPath;
  std::string outputPath;
  bool info = false;
  int32_t blockSize = 512;
  double sampleRate = 0.0;  // 0: the input file's rate
  SamplePrecision precision = SamplePrecision::Double;
  double tempo = 120.0;
  PluginSettings settings;
  std::string stateOut;
  std::vector<TimedController> controllers;
};

// "SECONDS:CONTROLLER=VALUE", controller and value 0 to 127.
bool ParseTimedController(const std::string& text, TimedController& controller, std::string& error);
