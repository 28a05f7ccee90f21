#pragma once

#include "framework/PluginApi.h"

#include <cstdint>

// What a plug-in declares about itself when IEffectBase is constructed.
struct IEffectConfig
{
  int32_t parameterCount = 0;
  int32_t presetCount = 0;
  const char* channelIO = "";  // space-separated "inputs-outputs" pairs
  const char* effectName = "";
  const char* productName = "";
  const char* makerName = "";
  int32_t uniqueId = 0;  // four-character code, see FourCharCode
  int32_t makerId = 0;
  int32_t version = 0;  // major in bits 16..31, minor 8..15, revision 0..7
  PluginApi pluginApi = PluginApi::VST2;
  bool isInstrument = false;
  bool doesMidi = true;
  bool doesStateChunks = false;
  // The parameter a MIDI control change on the plug-in's channel drives, or -1
  // for a controller it ignores; null when it answers none. Hosts that deliver
  // controllers as parameter changes ask the binding for this mapping.
  int32_t (*controllerParameter)(uint8_t controller) = nullptr;
};
