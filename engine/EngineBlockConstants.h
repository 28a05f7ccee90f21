#pragma once

#include "engine/EngineState.h"
#include "engine/InputRouting.h"
#include "engine/ToneFilter.h"

#include <cstdint>

// Limits of the parameter mappings, shared with the tail estimate.
// Input and output gain at their controls' maximum.
constexpr double kMaxStageGain = 2.0;
// Feedback coefficient at QuillwaveFeedback 1.
constexpr double kMaxFeedback = 0.7;
// The flanger's modulation depth and centre delay in samples: span x control + minimum.
// They give the longest delay either mode reads; the chorus stays far below it.
constexpr double kFlangerDepthSpan = 399.9;
constexpr double kFlangerDepthMin = 0.1;
constexpr double kFlangerCentreSpan = 390.0;
constexpr double kFlangerCentreMin = 10.0;

// What a block sends to the outputs, from the effect switch.
enum class OutputSelection
{
  kSilence,   // a switch value that selects neither position (NaN)
  kBypass,    // the untouched input
  kProcessed  // the blended, gain-adjusted effect signal
};

// Parameter values mapped once per perform call; they hold for the block.
struct EngineBlockConstants
{
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
