#include "product/Quillwave.h"

#include "engine/EngineParameterTable.h"
#include "engine/EngineTail.h"
#include "framework/FourCharCode.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace
{

struct ExpectedParameter
{
  const char* name;
  double defaultValue;
  double min;
  double max;
};

// The host-visible parameter set, index for index.
const std::array<ExpectedParameter, 22> kExpectedParameters = {{
    {"FilterTone", 0.5, 0, 1},         {"HostBarStartPulse", 0, 0, 1},
    {"HostTempoBpm", 120, 0, 1000},    {"HostTransportIsRunning", 0, 0, 1},
    {"MainFxOffOn", 0, 0, 1},          {"MainInputGain", 0.5, 0, 1},
    {"MainInputMode", 0, 0, 3},        {"MainOutputBlend", 1, 0, 1},
    {"MainOutputVolume", 0.5, 0, 1},   {"MidiChannelInput", 1, 1, 1.00001},
    {"QuillwaveBandwidth", 0.5, 0, 1}, {"QuillwaveCenter", 0.5, 0, 1},
    {"QuillwaveFeedback", 0.5, 0, 1},  {"QuillwaveMode", 0, 0, 1},
    {"QuillwaveRate", 0.5, 0, 1},      {"PresetBackward", 0, 0, 1},
    {"PresetForward", 0, 0, 1},        {"PresetLoad", 0, 0, 1},
    {"PresetSave", 0, 0, 1},           {"PresetSelector", 0, -1, 10000},
    {"SaturationGain", 0, 0, 1},       {"zInitParams", 0, 0, 1},
}};

IMidiMessage Controller(int32_t offset, uint8_t controller, uint8_t value, uint8_t channel = 0)
{
  IMidiMessage message;
  message.offset = offset;
  message.status = static_cast<uint8_t>(0xB0 | channel);
  message.data1 = controller;
  message.data2 = value;
  return message;
}

std::vector<double> Values(const Quillwave& plugin)
{
  std::vector<double> values;
  for (int i = 0; i < plugin.GetParamCount(); ++i)
  {
    values.push_back(plugin.GetParam(i)->Value());
  }
  return values;
}

// A plug-in reset for 44.1 kHz, processing blocks of a constant signal.
class QuillwaveProcessing : public ::testing::Test
{
protected:
  // The first block settles the host tempo, which the other tests leave alone.
  QuillwaveProcessing()
  {
    plugin.OnReset();
    Process(1);
  }

  // One block of `frames` samples of 0.25 on both channels; returns the left output.
  std::vector<double> Process(int frames)
  {
    std::vector<double> inLeft(static_cast<size_t>(frames), 0.25);
    std::vector<double> inRight(inLeft);
    std::vector<double> outLeft(static_cast<size_t>(frames)), outRight(static_cast<size_t>(frames));
    double* inputs[2] = {inLeft.data(), inRight.data()};
    double* outputs[2] = {outLeft.data(), outRight.data()};
    IMutexLock lock(plugin.Mutex());
    plugin.ProcessDouble(inputs, outputs, frames);
    return outLeft;
  }

  void SendController(int32_t offset, uint8_t controller, uint8_t value, uint8_t channel = 0)
  {
    const IMidiMessage message = Controller(offset, controller, value, channel);
    IMutexLock lock(plugin.Mutex());
    plugin.OnMidiMessage(&message);
  }

  void SetParam(int index, double value)
  {
    plugin.GetParam(index)->SetPlainClamped(value);
    plugin.OnParameterChanged(index);
  }

  Quillwave plugin;
};

TEST(QuillwaveConstruction, DeclaresIdentityAndChannels)
{
  Quillwave plugin;
  EXPECT_STREQ(plugin.GetEffectName(), "Quillwave");
  EXPECT_STREQ(plugin.GetProductName(), "Quillwave");
  EXPECT_STREQ(plugin.GetMakerName(), "PleoAudio");
  EXPECT_EQ(plugin.GetUniqueId(), FourCharCode("Pqw6"));
  EXPECT_EQ(plugin.GetMakerId(), FourCharCode("Plvx"));
  EXPECT_EQ(plugin.GetVersion(), 0x10002);
  EXPECT_TRUE(plugin.LegalIO(2, 2));
  EXPECT_FALSE(plugin.LegalIO(1, 2));
  EXPECT_EQ(plugin.GetLatency(), 0);
  EXPECT_EQ(plugin.GetTailSize(), EngineTailSamples(plugin.GetSampleRate()));
  EXPECT_TRUE(plugin.DoesMidi());
  EXPECT_NE(plugin.GetEditor(), nullptr);
  EXPECT_EQ(plugin.GetLastPresetNumber(), 0.0f);
}

TEST(QuillwaveConstruction, ParametersFollowTheEngineTable)
{
  Quillwave plugin;
  ASSERT_EQ(plugin.GetParamCount(), 22);
  for (int i = 0; i < 22; ++i)
  {
    const IParameter* param = plugin.GetParam(i);
    const ExpectedParameter& expected = kExpectedParameters[static_cast<size_t>(i)];
    EXPECT_STREQ(param->GetNameForHost(), expected.name);
    EXPECT_EQ(param->Value(), expected.defaultValue) << expected.name;
    EXPECT_EQ(param->DefaultValue(), expected.defaultValue) << expected.name;
    EXPECT_EQ(param->Min(), expected.min) << expected.name;
    EXPECT_DOUBLE_EQ(param->Max(), expected.max) << expected.name;
    EXPECT_EQ(param->Kind(), IParameterKind::Double) << expected.name;
    EXPECT_EQ(param->Step(), 0.00001) << expected.name;
    EXPECT_EQ(param->Shape(), 1.0) << expected.name;
    EXPECT_EQ(param->DisplayPrecision(), 5) << expected.name;
    EXPECT_STREQ(param->GetLabelForHost(), "") << expected.name;
    EXPECT_TRUE(param->CanAutomate()) << expected.name;
  }
  char text[IParameter::kTextSize];
  plugin.GetParam(kFilterTone)->GetDisplayText(text);
  EXPECT_STREQ(text, "0.50000");
  plugin.GetParam(kHostTempoBpm)->GetDisplayText(text);
  EXPECT_STREQ(text, "120.00000");
  EXPECT_EQ(plugin.GetParam(kPresetSelector)->FromNormalized(0.0), -1.0);
  EXPECT_EQ(plugin.GetParam(kPresetSelector)->FromNormalized(1.0), 10000.0);
  EXPECT_DOUBLE_EQ(plugin.GetParam(kMainInputMode)->FromNormalized(2.0 / 3.0), 2.0);
}

TEST(QuillwaveConstruction, OneInitProgramHoldsTheDefaults)
{
  Quillwave plugin;
  ASSERT_EQ(plugin.GetPresetCount(), 1);
  EXPECT_STREQ(plugin.GetPresetName(0), "Init");
  plugin.GetParam(kQuillwaveRate)->SetPlainClamped(0.9);
  plugin.GetParam(kHostTempoBpm)->SetPlainClamped(90);
  ASSERT_TRUE(plugin.LoadPreset(0));
  for (int i = 0; i < 22; ++i)
  {
    EXPECT_EQ(plugin.GetParam(i)->Value(), kExpectedParameters[static_cast<size_t>(i)].defaultValue)
        << i;
  }
}

TEST(QuillwaveConstruction, MidiChannelCannotLeaveChannelOne)
{
  Quillwave plugin;
  IParameter* channel = plugin.GetParam(kMidiChannelInput);
  channel->SetNormalized(1.0);
  EXPECT_DOUBLE_EQ(channel->Value(), 1.00001);
  plugin.OnParameterChanged(kMidiChannelInput);
  EXPECT_EQ(plugin.GetEngine().paramValues[kMidiChannelInput], 1.0);
}

TEST_F(QuillwaveProcessing, ResetAppliesThePluginValuesNotTheEngineDefaults)
{
  plugin.GetParam(kQuillwaveRate)->SetPlainClamped(0.8);
  plugin.GetParam(kMainInputMode)->SetPlainClamped(2);
  plugin.GetParam(kHostTempoBpm)->SetPlainClamped(140);
  plugin.GetParam(kPresetSelector)->SetPlainClamped(7);
  plugin.SetSampleRate(96000.0);
  plugin.OnReset();
  const EngineState& engine = plugin.GetEngine();
  EXPECT_EQ(engine.sampleRate, 96000.0);
  EXPECT_EQ(engine.paramValues[kQuillwaveRate], 0.8);
  EXPECT_EQ(engine.paramValues[kMainInputMode], 2.0);
  EXPECT_EQ(engine.paramValues[kHostTempoBpm], 140.0);
  EXPECT_EQ(plugin.GetParam(kPresetSelector)->Value(), 0.0);
  EXPECT_EQ(engine.paramValues[kPresetSelector], 0.0);
}

TEST_F(QuillwaveProcessing, ResetKeepsTheLastPresetNumber)
{
  SetParam(kPresetSelector, 7);  // no library here: loads nothing
  ASSERT_EQ(plugin.GetLastPresetNumber(), 7.0f);
  plugin.OnReset();
  EXPECT_EQ(plugin.GetLastPresetNumber(), 7.0f);
}

TEST_F(QuillwaveProcessing, ControllerActsOnTheWholeBlockItIsDueIn)
{
  SetParam(kMainFxOffOn, 1);
  SetParam(kMainOutputBlend, 0);  // dry only: the output is the input times both gains
  SendController(300, 7, 127);
  const std::vector<double> out = Process(512);
  EXPECT_EQ(plugin.GetParam(kMainOutputVolume)->Value(), 1.0);
  EXPECT_EQ(plugin.GetEngine().paramValues[kMainOutputVolume], 1.0);
  EXPECT_DOUBLE_EQ(out.front(), 0.5);
  EXPECT_DOUBLE_EQ(out.back(), 0.5);
}

TEST_F(QuillwaveProcessing, OnlyChannelOneIsHeard)
{
  const std::vector<double> before = Values(plugin);
  SendController(0, 7, 127, 1);
  Process(64);
  EXPECT_EQ(Values(plugin), before);
}

TEST_F(QuillwaveProcessing, UnmappedControllersAndOtherMessagesChangeNothing)
{
  std::vector<double> expected = Values(plugin);
  for (uint8_t controller : {0, 4, 5, 6, 15, 64, 120, 127})
  {
    SendController(0, controller, 127);
  }
  const IMidiMessage noteOn{0, 0x90, 14, 127};
  const IMidiMessage pitchBend{0, 0xE0, 14, 127};
  plugin.OnMidiMessage(&noteOn);
  plugin.OnMidiMessage(&pitchBend);
  // A mapped controller behind them in the queue still applies.
  SendController(1, 11, 0);
  Process(64);
  expected[kQuillwaveRate] = 0.0;
  EXPECT_EQ(Values(plugin), expected);
}

TEST_F(QuillwaveProcessing, ControllerValuesMapOntoZeroToOne)
{
  SendController(0, 2, 64);
  SendController(0, 14, 0);
  SendController(0, 13, 127);
  Process(16);
  EXPECT_DOUBLE_EQ(plugin.GetParam(kMainFxOffOn)->Value(), 64.0 / 127.0);
  EXPECT_EQ(plugin.GetParam(kFilterTone)->Value(), 0.0);
  EXPECT_EQ(plugin.GetParam(kSaturationGain)->Value(), 1.0);
  EXPECT_EQ(plugin.GetEngine().paramValues[kSaturationGain], 1.0);
}

TEST_F(QuillwaveProcessing, ControllersDueLaterWaitForTheirBlock)
{
  SendController(700, 8, 0);
  Process(512);
  EXPECT_EQ(plugin.GetParam(kQuillwaveBandwidth)->Value(), 0.5);
  Process(188);  // the message lies at offset 188, just past this block
  EXPECT_EQ(plugin.GetParam(kQuillwaveBandwidth)->Value(), 0.5);
  Process(1);
  EXPECT_EQ(plugin.GetParam(kQuillwaveBandwidth)->Value(), 0.0);
}

TEST_F(QuillwaveProcessing, TheLastControllerInOffsetOrderWins)
{
  SendController(10, 9, 127);
  SendController(5, 9, 0);
  SendController(20, 12, 127);
  SendController(20, 12, 0);
  Process(32);
  EXPECT_EQ(plugin.GetParam(kQuillwaveCenter)->Value(), 1.0);
  EXPECT_EQ(plugin.GetParam(kQuillwaveMode)->Value(), 0.0);
}

// The host tempo of a block as the VST3 binding hands it over.
class QuillwaveHostTempo : public ::testing::Test
{
protected:
  QuillwaveHostTempo()
  {
    Steinberg::Vst::ProcessSetup setup{Steinberg::Vst::kRealtime, Steinberg::Vst::kSample64, 256,
                                       48000.0};
    EXPECT_EQ(plugin.setupProcessing(setup), Steinberg::kResultOk);
  }

  void ProcessWithTempo(double tempo)
  {
    Steinberg::Vst::ProcessContext context{};
    context.state = Steinberg::Vst::ProcessContext::kTempoValid;
    context.sampleRate = 48000.0;
    context.tempo = tempo;
    std::vector<double> left(64, 0.0), right(64, 0.0);
    double* channels[2] = {left.data(), right.data()};
    Steinberg::Vst::AudioBusBuffers bus{};
    bus.numChannels = 2;
    bus.channelBuffers64 = channels;
    Steinberg::Vst::ProcessData data{};
    data.processMode = Steinberg::Vst::kRealtime;
    data.symbolicSampleSize = Steinberg::Vst::kSample64;
    data.numSamples = 64;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &bus;
    data.outputs = &bus;
    data.processContext = &context;
    ASSERT_EQ(plugin.process(data), Steinberg::kResultOk);
  }

  double Tempo() const { return plugin.GetParam(kHostTempoBpm)->Value(); }
  double EngineTempo() const { return plugin.GetEngine().paramValues[kHostTempoBpm]; }

  Quillwave plugin;
};

TEST_F(QuillwaveHostTempo, IsStoredWithinZeroToAThousand)
{
  ProcessWithTempo(87.5);
  EXPECT_EQ(Tempo(), 87.5);
  EXPECT_EQ(EngineTempo(), 87.5);
  ProcessWithTempo(1200.0);
  EXPECT_EQ(Tempo(), 1000.0);
  EXPECT_EQ(EngineTempo(), 1000.0);
  ProcessWithTempo(0.0);
  EXPECT_EQ(Tempo(), 0.0);
  EXPECT_EQ(EngineTempo(), 0.0);
  ProcessWithTempo(-30.0);
  EXPECT_EQ(Tempo(), 0.0);
}

TEST_F(QuillwaveHostTempo, NanTempoKeepsTheLastOne)
{
  ProcessWithTempo(133.0);
  ProcessWithTempo(std::nan(""));
  EXPECT_EQ(Tempo(), 133.0);
  EXPECT_EQ(EngineTempo(), 133.0);
}

}  // namespace
