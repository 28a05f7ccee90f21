#pragma once

#include <array>

// What a host sees of every parameter of a new instance, in index order: the
// name, the plain default and range, and the text shown for the default.
struct ExpectedParameter
{
  const char* name;
  double defaultValue;
  double min;
  double max;
  const char* display;
};

inline constexpr std::array<ExpectedParameter, 22> kExpectedParameters{{
    {"FilterTone", 0.5, 0, 1, "0.50000"},  // name, default, minimum, maximum, display
    {"HostBarStartPulse", 0, 0, 1, "0.00000"},
    {"HostTempoBpm", 120, 0, 1000, "120.00000"},
    {"HostTransportIsRunning", 0, 0, 1, "0.00000"},
    {"MainFxOffOn", 0, 0, 1, "0.00000"},
    {"MainInputGain", 0.5, 0, 1, "0.50000"},
    {"MainInputMode", 0, 0, 3, "0.00000"},
    {"MainOutputBlend", 1, 0, 1, "1.00000"},
    {"MainOutputVolume", 0.5, 0, 1, "0.50000"},
    {"MidiChannelInput", 1, 1, 1.00001, "1.00000"},
    {"QuillwaveBandwidth", 0.5, 0, 1, "0.50000"},
    {"QuillwaveCenter", 0.5, 0, 1, "0.50000"},
    {"QuillwaveFeedback", 0.5, 0, 1, "0.50000"},
    {"QuillwaveMode", 0, 0, 1, "0.00000"},
    {"QuillwaveRate", 0.5, 0, 1, "0.50000"},
    {"PresetBackward", 0, 0, 1, "0.00000"},
    {"PresetForward", 0, 0, 1, "0.00000"},
    {"PresetLoad", 0, 0, 1, "0.00000"},
    {"PresetSave", 0, 0, 1, "0.00000"},
    {"PresetSelector", 0, -1, 10000, "0.00000"},
    {"SaturationGain", 0, 0, 1, "0.00000"},
    {"zInitParams", 0, 0, 1, "0.00000"},
}};
