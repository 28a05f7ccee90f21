#pragma once

#include "engine/EngineState.h"
#include "engine/InputRouting.h"
#include "engine/ToneFilter.h"

#include <cstdint>

// What a block sends to the outputs, from the effect switch.
enum class OutputSelection {
    kSilence,    // a switch value that selects neither position (NaN)
    kBypass,     // the untouched input
    kProcessed   // the blended, gain-adjusted effect signal
};

// Parameter values mapped once per perform call; they hold for the block.
struct EngineBlockConstants {
    InputRouting routing = kInputStereo;
    double inputGain = 1.0;
    double outputGain = 1.0;
    double blend = 1.0;
    bool delayStageOn = false;
    OutputSelection output = OutputSelection::kBypass;
    bool saturatorOn = false;
    double driveGain = 1.0;
    double makeUpGain = 1.0;
    double feedback = 0.0;
    double depth = 0.0;
    double centre = 0.0;
    uint32_t incrementA = 0;
    uint32_t incrementB = 0;
    ToneConstants tone;
};

EngineBlockConstants EngineComputeBlockConstants(const EngineState& state);
