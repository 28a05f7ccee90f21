#pragma once

#include "engine/EngineParamInfo.h"

#include <cstdint>

// Parameter indices, alphabetical by parameter name.
enum EngineParam : uint32_t
{
  kFilterTone = 0,
  kHostBarStartPulse,
  kHostTempoBpm,
  kHostTransportIsRunning,
  kMainFxOffOn,
  kMainInputGain,
  kMainInputMode,
  kMainOutputBlend,
  kMainOutputVolume,
  kMidiChannelInput,
  kQuillwaveBandwidth,
  kQuillwaveCenter,
  kQuillwaveFeedback,
  kQuillwaveMode,
  kQuillwaveRate,
  kPresetBackward,
  kPresetForward,
  kPresetLoad,
  kPresetSave,
  kPresetSelector,
  kSaturationGain,
  kZInitParams,
  kEngineNumParams
};

// Name, default and range of one parameter; the constant source from which
// reset restores the defaults and creation builds the state's table.
struct EngineParamDefinition
{
  const char* name;
  double defaultValue;
  double min;
  double max;
};

// The definition of parameter `index`; index must be below kEngineNumParams.
const EngineParamDefinition& EngineParamDefinitionAt(uint32_t index);
