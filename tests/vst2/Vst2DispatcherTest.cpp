#include "tests/vst2/TestHost.h"
#include "tests/vst2/TestPlugin.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace
{

class Vst2Dispatcher : public ::testing::Test
{
protected:
  TestHost host;
  TestPlugin plug{IEffectVST2::HostContext{&TestHost::Callback}};
  AEffect* effect = plug.GetAEffect();
};

TEST_F(Vst2Dispatcher, AEffectDescribesThePlugin)
{
  EXPECT_EQ(effect->magic, 0x56737450);
  EXPECT_EQ(effect->object, static_cast<void*>(&plug));
  EXPECT_EQ(effect->numParams, TestPlugin::kParamCount);
  EXPECT_EQ(effect->numPrograms, TestPlugin::kPresetCount);
  EXPECT_EQ(effect->numInputs, 2);
  EXPECT_EQ(effect->numOutputs, 2);
  EXPECT_EQ(effect->flags, 0x1010);
  EXPECT_EQ(effect->uniqueID, 0x54737432);  // 'Tst2'
  EXPECT_EQ(effect->version, 20304);        // 2.3.4
  EXPECT_EQ(effect->initialDelay, 0);
  EXPECT_EQ(effect->ioRatio, 1.0f);
  EXPECT_NE(effect->process, nullptr);
  EXPECT_NE(effect->processReplacing, nullptr);
  EXPECT_NE(effect->processDoubleReplacing, nullptr);
  EXPECT_EQ(effect->user, nullptr);
  EXPECT_EQ(plug.QueryPluginApi(), PluginApi::VST2);
  EXPECT_EQ(plug.GetBlockSize(), 1024);
  EXPECT_EQ(Dispatch(effect, effGetVendorVersion), 20304);
}

TEST(Vst2DispatcherFlags, MonoCapableConfigurationsAddCanMono)
{
  TestPlugin mono({}, "1-1 2-2");
  EXPECT_EQ(mono.GetAEffect()->flags, 0x1010 | effFlagsCanMono);
  EXPECT_EQ(mono.GetAEffect()->numInputs, 2);
}

TEST_F(Vst2Dispatcher, FixedAnswers)
{
  EXPECT_EQ(Dispatch(effect, effIdentify), 0x4E764566);
  EXPECT_EQ(Dispatch(effect, effGetVstVersion), 2400);
  EXPECT_EQ(Dispatch(effect, effGetPlugCategory), kPlugCategEffect);
  EXPECT_EQ(Dispatch(effect, effGetTailSize), 0);
  EXPECT_EQ(Dispatch(effect, effCanBeAutomated, 1), 1);
  const std::initializer_list<VstInt32> unanswered{effGetVu,
                                                   effEditDraw,
                                                   effEditMouse,
                                                   effEditKey,
                                                   effEditIdle,
                                                   effEditTop,
                                                   effEditSleep,
                                                   effProcessVarIo,
                                                   effSetBypass,
                                                   effIdle,
                                                   effGetParameterProperties,
                                                   effGetNumMidiInputChannels,
                                                   1000};
  for (VstInt32 opcode : unanswered)
  {
    EXPECT_EQ(Dispatch(effect, opcode, 1, 1, nullptr, 1.0f), 0) << opcode;
  }
}

TEST_F(Vst2Dispatcher, CanDoAnswersTimeInfoAndMidi)
{
  for (const char* yes : {"receiveVstTimeInfo", "sendVstEvents", "sendVstMidiEvent",
                          "receiveVstEvents", "receiveVstMidiEvent"})
  {
    EXPECT_EQ(Dispatch(effect, effCanDo, 0, 0, const_cast<char*>(yes)), 1) << yes;
  }
  for (const char* no : {"bypass", "receiveVstMidiEventX", "receiveVst", ""})
  {
    EXPECT_EQ(Dispatch(effect, effCanDo, 0, 0, const_cast<char*>(no)), 0) << no;
  }
  EXPECT_EQ(Dispatch(effect, effCanDo, 0, 0, nullptr), 0);
}

TEST_F(Vst2Dispatcher, PinPropertiesPairChannelsIntoStereo)
{
  VstPinProperties pin{};
  ASSERT_EQ(Dispatch(effect, effGetInputProperties, 0, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Input 1");
  EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);

  ASSERT_EQ(Dispatch(effect, effGetInputProperties, 1, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Input 2");
  EXPECT_EQ(pin.flags, kVstPinIsActive);

  ASSERT_EQ(Dispatch(effect, effGetOutputProperties, 0, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Output 1");

  EXPECT_EQ(Dispatch(effect, effGetInputProperties, 2, 0, &pin), 0);
  EXPECT_EQ(Dispatch(effect, effGetOutputProperties, -1, 0, &pin), 0);
  EXPECT_EQ(Dispatch(effect, effGetInputProperties, 0, 0, nullptr), 0);
}

TEST_F(Vst2Dispatcher, SpeakerArrangementsAreStereoAndConnectChannels)
{
  VstSpeakerArrangement* inputs = nullptr;
  VstSpeakerArrangement* outputs = nullptr;
  ASSERT_EQ(
      Dispatch(effect, effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&inputs), &outputs),
      1);
  ASSERT_NE(inputs, nullptr);
  ASSERT_NE(outputs, nullptr);
  EXPECT_EQ(inputs->type, kSpeakerArrStereo);
  EXPECT_EQ(inputs->numChannels, 2);
  EXPECT_EQ(outputs->type, kSpeakerArrStereo);

  VstSpeakerArrangement mono{};
  mono.type = kSpeakerArrMono;
  mono.numChannels = 1;
  EXPECT_EQ(
      Dispatch(effect, effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), nullptr),
      1);
  EXPECT_TRUE(plug.GetInputChannel(0)->connected);
  EXPECT_FALSE(plug.GetInputChannel(1)->connected);
  EXPECT_TRUE(plug.GetOutputChannel(1)->connected);  // null output arrangement: unchanged

  VstSpeakerArrangement hostile{};
  hostile.numChannels = -5;
  Dispatch(effect, effSetSpeakerArrangement, 0, 0, &hostile);
  EXPECT_FALSE(plug.GetOutputChannel(0)->connected);
  hostile.numChannels = 64;
  Dispatch(effect, effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&hostile), &hostile);
  EXPECT_TRUE(plug.GetInputChannel(1)->connected);
  EXPECT_TRUE(plug.GetOutputChannel(1)->connected);
}

TEST_F(Vst2Dispatcher, OpenIdentifiesTheHostOnceAndPushesEveryParameter)
{
  host.productString = "Ardour";
  host.vendorVersion = 70300;
  Dispatch(effect, effOpen);
  EXPECT_EQ(plug.GetHostKind(), HostKind::Ardour);
  EXPECT_EQ(plug.GetHostVersion(), (7 << 16) | (3 << 8));
  EXPECT_EQ(plug.hostKnownCalls, 1);
  EXPECT_EQ(plug.changes, (std::vector<int>{0, 1, 2, 3}));

  Dispatch(effect, effOpen);
  EXPECT_EQ(host.Count(audioMasterGetProductString), 1);
  EXPECT_EQ(plug.hostKnownCalls, 1);
}

TEST_F(Vst2Dispatcher, SampleRateAndBlockSizeReset)
{
  Dispatch(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  EXPECT_EQ(plug.GetSampleRate(), 48000.0);
  EXPECT_EQ(plug.resets, 1);

  Dispatch(effect, effSetBlockSize, 0, 256);
  EXPECT_EQ(plug.GetBlockSize(), 256);
  EXPECT_EQ(plug.resets, 2);
  EXPECT_EQ(plug.GetInputChannel(0)->scratch.size(), 256u);
}

TEST_F(Vst2Dispatcher, UnusableSampleRatesAndBlockSizesAreIgnored)
{
  for (float rate : {0.0f, -44100.0f, std::numeric_limits<float>::quiet_NaN(),
                     std::numeric_limits<float>::infinity()})
  {
    Dispatch(effect, effSetSampleRate, 0, 0, nullptr, rate);
  }
  EXPECT_EQ(plug.GetSampleRate(), 44100.0);
  for (VstIntPtr frames : {VstIntPtr{0}, VstIntPtr{-1}})
  {
    Dispatch(effect, effSetBlockSize, 0, frames);
  }
  EXPECT_EQ(plug.GetBlockSize(), 1024);
  EXPECT_EQ(plug.resets, 0);

  // An absurd size is limited instead of allocated.
  Dispatch(effect, effSetBlockSize, 0, VstIntPtr{1} << 40);
  EXPECT_EQ(plug.GetBlockSize(), IEffectVST2::kMaxBlockSize);
}

TEST_F(Vst2Dispatcher, MainsChangedActivatesAndResetsOnStop)
{
  Dispatch(effect, effMainsChanged, 0, 1);
  EXPECT_EQ(plug.resets, 0);
  Dispatch(effect, effMainsChanged, 0, 0);
  EXPECT_EQ(plug.activations, (std::vector<bool>{true, false}));
  EXPECT_EQ(plug.resets, 1);
}

TEST_F(Vst2Dispatcher, WithoutAnEditorTheEditorOpcodesAnswerNothing)
{
  EXPECT_EQ(effect->flags & effFlagsHasEditor, 0);
  ERect* rect = nullptr;
  EXPECT_EQ(Dispatch(effect, effEditGetRect, 0, 0, &rect), 0);
  EXPECT_EQ(rect, nullptr);
  int parent = 0;
  EXPECT_EQ(Dispatch(effect, effEditOpen, 0, 0, &parent), 0);
  EXPECT_EQ(Dispatch(effect, effEditClose), 0);
  plug.AttachEditor(nullptr);
  EXPECT_EQ(effect->flags & effFlagsHasEditor, 0);
}

TEST_F(Vst2Dispatcher, LatencyReachesTheHostRecord)
{
  plug.ChangeLatency(64);
  EXPECT_EQ(effect->initialDelay, 64);
}

TEST(Vst2DispatcherLifetime, CloseDestroysThePluginAndNullObjectsAreRefused)
{
  bool destroyed = false;
  auto* plug = new TestPlugin();
  plug->destroyed = &destroyed;
  AEffect* effect = plug->GetAEffect();
  EXPECT_EQ(Dispatch(effect, effClose), 0);
  EXPECT_TRUE(destroyed);

  AEffect orphan{};
  orphan.dispatcher = &IEffectVST2::VSTDispatcher;
  EXPECT_EQ(Dispatch(&orphan, effIdentify), 0);
  EXPECT_EQ(IEffectVST2::VSTDispatcher(nullptr, effIdentify, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(IEffectVST2::VSTGetParameter(&orphan, 0), 0.0f);
  IEffectVST2::VSTSetParameter(&orphan, 0, 1.0f);
  IEffectVST2::VSTProcessReplacing(&orphan, nullptr, nullptr, 16);
}

}  // namespace
