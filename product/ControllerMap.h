#pragma once

#include <cstdint>

// MIDI control-change numbers the plug-in answers, and the parameter each one
// drives. Returns the parameter index, or -1 for a controller that is ignored.
int32_t ControllerParameter(uint8_t controller);
