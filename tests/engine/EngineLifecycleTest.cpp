#include "engine/Engine.h"

#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace
{

using engine_test::MakeEngine;

TEST(EngineLifecycle, CreationDescribesTheEngine)
{
  const auto state = MakeEngine(44100.0);
  EXPECT_EQ(state->sampleRate, 44100.0);
  EXPECT_EQ(state->vectorSize, 1024);
  EXPECT_EQ(state->numInputs, 2);
  EXPECT_EQ(state->numOutputs, 2);
  EXPECT_STREQ(state->inputNames[0], "audio_in_1");
  EXPECT_STREQ(state->inputNames[1], "audio_in_2");
  EXPECT_STREQ(state->outputNames[0], "audio_out_1");
  EXPECT_STREQ(state->outputNames[1], "audio_out_2");
  EXPECT_EQ(state->errorState, 0u);
  EXPECT_EQ(state->cosineTable.frames, 16384);
  EXPECT_EQ(state->cosineTable.data[0], 1.0);
  EXPECT_NEAR(state->cosineTable.data[4096], 0.0, 1e-15);
  EXPECT_EQ(state->cosineTable.data[8192], -1.0);
}

TEST(EngineLifecycle, ParameterTableListsTheControlsInIndexOrder)
{
  const auto state = MakeEngine(48000.0);
  ASSERT_EQ(state->numParams, 22);
  struct Row
  {
    EngineParam index;
    const char* name;
    double defaultValue, min, max;
  };
  const Row rows[] = {
      {kFilterTone, "FilterTone", 0.5, 0, 1},
      {kHostTempoBpm, "HostTempoBpm", 120, 0, 1000},
      {kMainInputMode, "MainInputMode", 0, 0, 3},
      {kMainOutputBlend, "MainOutputBlend", 1, 0, 1},
      {kMidiChannelInput, "MidiChannelInput", 1, 1, 1},
      {kQuillwaveRate, "QuillwaveRate", 0.5, 0, 1},
      {kPresetSelector, "PresetSelector", 0, -1, 10000},
      {kSaturationGain, "SaturationGain", 0, 0, 1},
      {kZInitParams, "zInitParams", 0, 0, 1},
  };
  for (const Row& row : rows)
  {
    const EngineParamInfo& info = state->params[row.index];
    EXPECT_STREQ(info.name, row.name);
    EXPECT_EQ(info.defaultValue, row.defaultValue) << row.name;
    EXPECT_EQ(info.min, row.min) << row.name;
    EXPECT_EQ(info.max, row.max) << row.name;
  }
  for (int32_t i = 0; i < state->numParams; ++i)
  {
    const EngineParamInfo& info = state->params[i];
    EXPECT_STREQ(info.units, "");
    EXPECT_EQ(info.reference, nullptr);
    EXPECT_EQ(info.hasUnitRange, 0);
    EXPECT_EQ(info.hasRange, 1);
    EXPECT_EQ(info.unitMin, 0.0);
    EXPECT_EQ(info.unitMax, 1.0);
    EXPECT_EQ(info.kind, 0);
    EXPECT_EQ(info.exponent, 0.0);
    EXPECT_EQ(info.defaultValue, state->paramValues[i]);
  }
}

TEST(EngineLifecycle, ResetKeepsTheDelayGeometryOfCreation)
{
  const auto state = MakeEngine(44100.0);
  for (const DelayLine* line : {&state->delayA, &state->delayB})
  {
    EXPECT_EQ(line->size, 65536);
    EXPECT_EQ(line->maxDelay, 44100);
  }
  double* const memory = state->delayA.memory;
  EngineReset(state.get(), 96000.0, 512);
  EXPECT_EQ(state->sampleRate, 96000.0);
  EXPECT_EQ(state->vectorSize, 1024);
  EXPECT_EQ(state->delayA.memory, memory);
  for (const DelayLine* line : {&state->delayA, &state->delayB})
  {
    EXPECT_EQ(line->size, 65536);
    EXPECT_EQ(line->maxDelay, 44100);
  }
  EXPECT_EQ(state->lfoA.phaseScale, 4294967296.0 / 96000.0);
  EXPECT_EQ(state->lfoB.phaseScale, 4294967296.0 / 96000.0);

  const auto large = MakeEngine(96000.0);
  EXPECT_EQ(large->delayA.size, 131072);
  EXPECT_EQ(large->delayB.maxDelay, 96000);
}

TEST(EngineLifecycle, ResetRestoresDefaultsAndClearsAllSignalMemory)
{
  const auto state = MakeEngine(44100.0);
  EngineSetParameter(state.get(), kHostTempoBpm, 90.0);
  EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  EngineSetParameter(state.get(), kSaturationGain, 0.7);
  EngineSetParameter(state.get(), kFilterTone, 0.1);
  const engine_test::Stereo input = engine_test::SameInBoth(engine_test::Noise(2000, 0.5, 3));
  const engine_test::Stereo first = engine_test::Process(*state, input);

  EngineReset(state.get(), 44100.0, 1024);
  EXPECT_EQ(state->paramValues[kHostTempoBpm], 120.0);
  EXPECT_EQ(state->paramValues[kMidiChannelInput], 1.0);
  EXPECT_EQ(state->paramValues[kMainFxOffOn], 0.0);
  EXPECT_EQ(state->lfoA.phase, 0u);
  EXPECT_EQ(state->lfoB.phase, 0u);
  EXPECT_EQ(state->delayA.readPos, 0);

  // With the same settings applied again, the state replays the first run
  // exactly: nothing of it survived the reset.
  EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  EngineSetParameter(state.get(), kSaturationGain, 0.7);
  EngineSetParameter(state.get(), kFilterTone, 0.1);
  const engine_test::Stereo second = engine_test::Process(*state, input);
  EXPECT_EQ(first.left, second.left);
  EXPECT_EQ(first.right, second.right);
}

TEST(EngineLifecycle, SetParameterClampsIntoTheRange)
{
  const auto state = MakeEngine(44100.0);
  EngineSetParameter(state.get(), kHostTempoBpm, 2000.0);
  EXPECT_EQ(state->paramValues[kHostTempoBpm], 1000.0);
  EngineSetParameter(state.get(), kPresetSelector, -5.0);
  EXPECT_EQ(state->paramValues[kPresetSelector], -1.0);
  EngineSetParameter(state.get(), kMidiChannelInput, 7.0);
  EXPECT_EQ(state->paramValues[kMidiChannelInput], 1.0);
  EngineSetParameter(state.get(), kMainInputMode, 3.5);
  EXPECT_EQ(state->paramValues[kMainInputMode], 3.0);
  EngineSetParameter(state.get(), kQuillwaveRate, 0.25);
  EXPECT_EQ(state->paramValues[kQuillwaveRate], 0.25);
  EngineSetParameter(state.get(), kFilterTone, -std::numeric_limits<double>::infinity());
  EXPECT_EQ(state->paramValues[kFilterTone], 0.0);
  EngineSetParameter(state.get(), kQuillwaveCenter, std::nan(""));
  EXPECT_TRUE(std::isnan(state->paramValues[kQuillwaveCenter]));

  double before[kEngineNumParams];
  std::memcpy(before, state->paramValues, sizeof before);
  EngineSetParameter(state.get(), 22, 0.75);
  EngineSetParameter(state.get(), 0xFFFFFFFFu, 0.75);
  EXPECT_EQ(std::memcmp(before, state->paramValues, sizeof before), 0);
}

class EngineUnusualSampleRate : public testing::TestWithParam<double>
{
};

// A host may hand over a rate of 0 or garbage before it knows better: the
// state must still be well defined and process finite input to finite output.
TEST_P(EngineUnusualSampleRate, StaysDefinedAndFinite)
{
  const auto state = MakeEngine(GetParam());
  EXPECT_EQ(state->delayA.size, 2);
  EXPECT_EQ(state->delayA.maxDelay, 0);
  EXPECT_EQ(state->lfoA.phaseScale, 0.0);
  EXPECT_EQ(state->lfoB.phaseScale, 0.0);
  EngineSetParameter(state.get(), kMainFxOffOn, 1.0);
  EngineSetParameter(state.get(), kSaturationGain, 0.5);
  EngineSetParameter(state.get(), kFilterTone, 0.0);
  const engine_test::Stereo output =
      engine_test::Process(*state, engine_test::SameInBoth(engine_test::Noise(512, 0.5, 9)));
  for (double sample : output.left)
  {
    ASSERT_TRUE(std::isfinite(sample));
  }
}

INSTANTIATE_TEST_SUITE_P(Rates, EngineUnusualSampleRate,
                         testing::Values(0.0, -44100.0, std::nan(""),
                                         std::numeric_limits<double>::infinity(), 1e-310));

TEST(EngineLifecycle, HugeSampleRateGivesARefusingStateNotACrash)
{
  testing::internal::CaptureStderr();
  const auto state = MakeEngine(1e12);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "delay memory size error\ndelay memory size error\n");
  double left = 0.25, right = 0.25;
  EXPECT_EQ(EnginePerform(state.get(), &left, &right, &left, &right, 1),
            static_cast<int32_t>(kEngineErrorMissingBuffer));
}

TEST(EngineLifecycle, NullStatesAreIgnored)
{
  EngineReset(nullptr, 44100.0, 1024);
  EngineSetParameter(nullptr, 0, 1.0);
  EngineDestroy(nullptr);
  double sample = 0.0;
  EXPECT_EQ(EnginePerform(nullptr, &sample, &sample, &sample, &sample, 1),
            static_cast<int32_t>(kEngineErrorMissingBuffer));
}

}  // namespace
