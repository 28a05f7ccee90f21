#include "tests/vst2/TestHost.h"
#include "tests/vst2/TestPlugin.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{

class Vst2HostCalls : public ::testing::Test
{
protected:
  void SetTime(VstInt32 flags)
  {
    host.hasTime = true;
    host.time = VstTimeInfo{};
    host.time.flags = flags;
  }

  TestHost host;
  TestPlugin plug{IEffectVST2::HostContext{&TestHost::Callback}};
};

TEST_F(Vst2HostCalls, EditsAndProgramChangesReachTheHost)
{
  plug.SetParamFromEditor(TestPlugin::kGain, 0.3);
  plug.BeginHostEdit(2);
  plug.EndHostEdit(2);
  plug.HostProgramChanged();

  const TestHost::Call* automate = host.Last(audioMasterAutomate);
  ASSERT_NE(automate, nullptr);
  EXPECT_EQ(automate->index, TestPlugin::kGain);
  EXPECT_EQ(automate->opt, 0.3f);
  ASSERT_NE(host.Last(audioMasterBeginEdit), nullptr);
  EXPECT_EQ(host.Last(audioMasterBeginEdit)->index, 2);
  EXPECT_EQ(host.Last(audioMasterEndEdit)->index, 2);
  EXPECT_EQ(host.Count(audioMasterUpdateDisplay), 1);
}

TEST_F(Vst2HostCalls, OfflineRenderingIsProcessLevelFour)
{
  EXPECT_FALSE(plug.HostRendersOffline());
  host.processLevel = kVstProcessLevelRealtime;
  EXPECT_FALSE(plug.HostRendersOffline());
  host.processLevel = kVstProcessLevelOffline;
  EXPECT_TRUE(plug.HostRendersOffline());
}

TEST_F(Vst2HostCalls, TempoNeedsTheValidFlagAndANonNegativeValue)
{
  EXPECT_EQ(plug.QueryTempo(), 0.0);  // no record
  SetTime(0);
  host.time.tempo = 133.0;
  EXPECT_EQ(plug.QueryTempo(), 0.0);
  EXPECT_EQ(host.Last(audioMasterGetTime)->value, kVstTempoValid);
  SetTime(kVstTempoValid);
  host.time.tempo = 133.0;
  EXPECT_EQ(plug.QueryTempo(), 133.0);
  host.time.tempo = -1.0;
  EXPECT_EQ(plug.QueryTempo(), 0.0);
  host.time.tempo = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(plug.QueryTempo(), 0.0);

  TestPlugin unhosted;
  EXPECT_EQ(unhosted.QueryTempo(), 0.0);
}

TEST_F(Vst2HostCalls, SamplePositionIsRoundedAndNeverWraps)
{
  SetTime(0);
  host.time.samplePos = 1234.5;
  EXPECT_EQ(plug.QuerySamplePosition(), 1235);
  host.time.samplePos = 1234.49;
  EXPECT_EQ(plug.QuerySamplePosition(), 1234);
  host.time.samplePos = -3.0;
  EXPECT_EQ(plug.QuerySamplePosition(), 0);
  host.time.samplePos = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(plug.QuerySamplePosition(), 0);
  host.time.samplePos = 1e15;
  EXPECT_EQ(plug.QuerySamplePosition(), std::numeric_limits<int32_t>::max());
  host.time.samplePos = std::numeric_limits<double>::infinity();
  EXPECT_EQ(plug.QuerySamplePosition(), std::numeric_limits<int32_t>::max());
}

TEST_F(Vst2HostCalls, TimeSignatureNeedsItsFlag)
{
  int numerator = -1;
  int denominator = -1;
  SetTime(kVstTempoValid);
  host.time.timeSigNumerator = 7;
  host.time.timeSigDenominator = 8;
  plug.QueryTimeSignature(&numerator, &denominator);
  EXPECT_EQ(numerator, 0);
  EXPECT_EQ(denominator, 0);

  host.time.flags = kVstTimeSigValid;
  plug.QueryTimeSignature(&numerator, &denominator);
  EXPECT_EQ(numerator, 7);
  EXPECT_EQ(denominator, 8);
  EXPECT_EQ(host.Last(audioMasterGetTime)->value, kVstTimeSigValid);
}

TEST_F(Vst2HostCalls, TransportTakesOnlyTheValidFields)
{
  ITransportInfo info;
  info.tempo = 99.0;
  SetTime(kVstTransportPlaying);  // none of the five validity flags
  host.time.samplePos = 10.0;
  plug.QueryTransport(&info);
  EXPECT_EQ(info.samplePosition, 0.0);
  EXPECT_FALSE(info.playing);

  SetTime(kVstPpqPosValid | kVstBarsValid | kVstTransportPlaying | kVstTransportCycleActive);
  host.time.samplePos = 4410.0;
  host.time.ppqPos = 8.5;
  host.time.barStartPos = 8.0;
  host.time.tempo = 140.0;  // not flagged
  host.time.cycleStartPos = 4.0;
  host.time.cycleEndPos = 12.0;  // not flagged
  plug.QueryTransport(&info);
  EXPECT_EQ(host.Last(audioMasterGetTime)->value, 0x3E00);
  EXPECT_EQ(info.samplePosition, 4410.0);
  EXPECT_EQ(info.ppqPosition, 8.5);
  EXPECT_EQ(info.lastBarStart, 8.0);
  EXPECT_EQ(info.tempo, 99.0);
  EXPECT_EQ(info.cycleStart, 0.0);
  EXPECT_TRUE(info.playing);
  EXPECT_TRUE(info.cycleActive);

  SetTime(kVstTempoValid | kVstCyclePosValid | kVstTimeSigValid);
  host.time.tempo = 0.0;  // must be above 0
  host.time.cycleStartPos = 4.0;
  host.time.cycleEndPos = 12.0;
  host.time.timeSigNumerator = 3;
  host.time.timeSigDenominator = 0;  // must be above 0
  plug.QueryTransport(&info);
  EXPECT_EQ(info.tempo, 99.0);
  EXPECT_EQ(info.cycleStart, 4.0);
  EXPECT_EQ(info.cycleEnd, 12.0);
  EXPECT_EQ(info.numerator, 0);
  EXPECT_FALSE(info.playing);
}

TEST_F(Vst2HostCalls, HostKindComesFromTheProductStringOnce)
{
  host.productString = "REAPER";
  host.vendorVersion = 61234;  // 6.12.34
  EXPECT_EQ(plug.QueryHostKind(), HostKind::Reaper);
  EXPECT_EQ(plug.GetHostVersion(), (6 << 16) | (12 << 8) | 34);
  host.productString = "Cubase";
  EXPECT_EQ(plug.QueryHostKind(), HostKind::Reaper);
  EXPECT_EQ(host.Count(audioMasterGetProductString), 1);
}

TEST_F(Vst2HostCalls, AnEmptyProductStringIsAnUnrecognisedHostWithoutVersion)
{
  host.vendorVersion = 1000;
  EXPECT_EQ(plug.QueryHostKind(), HostKind::Unrecognised);
  EXPECT_EQ(host.Count(audioMasterGetVendorVersion), 0);
  EXPECT_EQ(plug.GetHostVersion(), 0);
}

TEST_F(Vst2HostCalls, MidiAndSysExGoOutAsOneEventEach)
{
  IMidiMessage message;
  message.offset = 12;
  message.status = 0x90;
  message.data1 = 60;
  message.data2 = 100;
  EXPECT_TRUE(plug.SendMidiMessage(&message));
  ASSERT_EQ(host.midiOut.size(), 1u);
  EXPECT_EQ(host.midiOut[0].byteSize, 32);
  EXPECT_EQ(host.midiOut[0].deltaFrames, 12);
  EXPECT_EQ(static_cast<uint8_t>(host.midiOut[0].midiData[0]), 0x90);
  EXPECT_EQ(host.midiOut[0].midiData[1], 60);
  EXPECT_EQ(host.midiOut[0].midiData[2], 100);

  const uint8_t dump[] = {0xF0, 0x01, 0xF7};
  ISysExMessage sysex;
  sysex.offset = 5;
  sysex.size = sizeof(dump);
  sysex.data = dump;
  EXPECT_TRUE(plug.SendSysExMessage(&sysex));
  ASSERT_EQ(host.sysexOut.size(), 1u);
  EXPECT_EQ(host.sysexOut[0], (std::vector<uint8_t>{0xF0, 0x01, 0xF7}));
  EXPECT_EQ(host.sysexByteSizes[0], 48);

  host.processEventsAnswer = 0;
  EXPECT_FALSE(plug.SendMidiMessage(&message));
  EXPECT_FALSE(plug.SendMidiMessage(nullptr));
  TestPlugin unhosted;
  EXPECT_FALSE(unhosted.SendMidiMessage(&message));
}

}  // namespace
