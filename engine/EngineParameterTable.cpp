#include "engine/EngineParameterTable.h"

namespace
{

constexpr EngineParamDefinition kDefinitions[kEngineNumParams] = {
    {"FilterTone", 0.5, 0.0, 1.0},  // name, default, minimum, maximum
    {"HostBarStartPulse", 0.0, 0.0, 1.0},
    {"HostTempoBpm", 120.0, 0.0, 1000.0},
    {"HostTransportIsRunning", 0.0, 0.0, 1.0},
    {"MainFxOffOn", 0.0, 0.0, 1.0},
    {"MainInputGain", 0.5, 0.0, 1.0},
    {"MainInputMode", 0.0, 0.0, 3.0},
    {"MainOutputBlend", 1.0, 0.0, 1.0},
    {"MainOutputVolume", 0.5, 0.0, 1.0},
    {"MidiChannelInput", 1.0, 1.0, 1.0},
    {"QuillwaveBandwidth", 0.5, 0.0, 1.0},
    {"QuillwaveCenter", 0.5, 0.0, 1.0},
    {"QuillwaveFeedback", 0.5, 0.0, 1.0},
    {"QuillwaveMode", 0.0, 0.0, 1.0},
    {"QuillwaveRate", 0.5, 0.0, 1.0},
    {"PresetBackward", 0.0, 0.0, 1.0},
    {"PresetForward", 0.0, 0.0, 1.0},
    {"PresetLoad", 0.0, 0.0, 1.0},
    {"PresetSave", 0.0, 0.0, 1.0},
    {"PresetSelector", 0.0, -1.0, 10000.0},
    {"SaturationGain", 0.0, 0.0, 1.0},
    {"zInitParams", 0.0, 0.0, 1.0},
};

}  // namespace

const EngineParamDefinition& EngineParamDefinitionAt(uint32_t index)
{
  return kDefinitions[index];
}
