#include "tests/vst2/TestHost.h"
#include "tests/vst2/TestPlugin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{

class Vst2State : public ::testing::Test
{
protected:
  std::vector<uint8_t> GetChunk(VstInt32 index)
  {
    void* data = nullptr;
    const VstIntPtr size = Dispatch(effect, effGetChunk, index, 0, &data);
    if (size <= 0 || !data)
      return {};
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
  }

  VstIntPtr SetChunk(VstInt32 index, const std::vector<uint8_t>& bytes)
  {
    return Dispatch(effect, effSetChunk, index, static_cast<VstIntPtr>(bytes.size()),
                    const_cast<uint8_t*>(bytes.data()));
  }

  void SetPlain(int index, double value) { plug.GetParam(index)->SetPlainClamped(value); }
  double Plain(int index) { return plug.GetParam(index)->Value(); }

  // The doubles' little-endian bytes, after `prefix`.
  static std::vector<uint8_t> Doubles(std::initializer_list<double> values,
                                      const std::vector<uint8_t>& prefix = {})
  {
    std::vector<uint8_t> bytes(prefix.size() + 8 * values.size());
    std::copy(prefix.begin(), prefix.end(), bytes.begin());
    std::size_t pos = prefix.size();
    for (double value : values)
    {
      std::memcpy(bytes.data() + pos, &value, sizeof(value));
      pos += sizeof(value);
    }
    return bytes;
  }

  static const std::vector<uint8_t>& Header()
  {
    static const std::vector<uint8_t> header{0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
    return header;
  }

  TestHost host;
  TestPlugin plug{IEffectVST2::HostContext{&TestHost::Callback}};
  AEffect* effect = plug.GetAEffect();
};

TEST_F(Vst2State, ProgramChunkIsTheHeaderFollowedByEveryValue)
{
  SetPlain(TestPlugin::kGain, 0.25);
  SetPlain(TestPlugin::kOffset, -3.5);
  SetPlain(TestPlugin::kMode, 1.0);
  SetPlain(TestPlugin::kSteps, 42.0);
  EXPECT_EQ(GetChunk(1), Doubles({0.25, -3.5, 1.0, 42.0}, Header()));
}

TEST_F(Vst2State, ProgramChunkRoundTripsByteForByte)
{
  SetPlain(TestPlugin::kGain, 0.125);
  SetPlain(TestPlugin::kSteps, 7.0);
  const std::vector<uint8_t> saved = GetChunk(1);
  ASSERT_EQ(saved.size(), 8u + 8u * TestPlugin::kParamCount);

  SetPlain(TestPlugin::kGain, 0.9);
  SetPlain(TestPlugin::kSteps, 99.0);
  plug.changes.clear();
  EXPECT_EQ(SetChunk(1, saved), 1);
  EXPECT_EQ(Plain(TestPlugin::kGain), 0.125);
  EXPECT_EQ(Plain(TestPlugin::kSteps), 7.0);
  EXPECT_EQ(plug.changes, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(GetChunk(1), saved);
  // The restored values are also the current program's.
  EXPECT_EQ(plug.GetPresetSlot(0)->state.Size(), 8 * TestPlugin::kParamCount);
}

TEST_F(Vst2State, ProgramChunkWithoutHeaderIsReadFromTheStart)
{
  EXPECT_EQ(SetChunk(1, Doubles({0.75, 2.0, 0.0, 5.0})), 1);
  EXPECT_EQ(Plain(TestPlugin::kGain), 0.75);
  EXPECT_EQ(Plain(TestPlugin::kOffset), 2.0);
  EXPECT_EQ(Plain(TestPlugin::kSteps), 5.0);
}

TEST_F(Vst2State, OutOfRangeValuesAreLimited)
{
  EXPECT_EQ(SetChunk(1, Doubles({5.0, -100.0, 1.0, 1000.0}, Header())), 1);
  EXPECT_EQ(Plain(TestPlugin::kGain), 1.0);
  EXPECT_EQ(Plain(TestPlugin::kOffset), -10.0);
  EXPECT_EQ(Plain(TestPlugin::kSteps), 100.0);
}

TEST_F(Vst2State, ShortChunkFailsAfterReadingWhatItHolds)
{
  SetPlain(TestPlugin::kSteps, 33.0);
  EXPECT_EQ(SetChunk(1, Doubles({0.5, 4.0}, Header())), 0);
  EXPECT_EQ(Plain(TestPlugin::kOffset), 4.0);
  EXPECT_EQ(Plain(TestPlugin::kSteps), 33.0);  // after the one that ran out: kept
}

TEST_F(Vst2State, HostileChunksAreRefusedWithoutTouchingAnything)
{
  SetPlain(TestPlugin::kGain, 0.3);
  const std::vector<uint8_t> small = Doubles({0.9});
  for (VstIntPtr size : {VstIntPtr{0}, VstIntPtr{-1}, VstIntPtr{-184},
                         VstIntPtr{IEffectVST2::kMaxChunkSize} + 1, VstIntPtr{1} << 40})
  {
    // The size claims more than the host's eight bytes: nothing may be read.
    EXPECT_EQ(Dispatch(effect, effSetChunk, 1, size, const_cast<uint8_t*>(small.data())), 0)
        << size;
    EXPECT_EQ(Dispatch(effect, effSetChunk, 0, size, const_cast<uint8_t*>(small.data())), 0)
        << size;
  }
  EXPECT_EQ(Dispatch(effect, effSetChunk, 1, 184, nullptr), 0);
  // A header cut short.
  EXPECT_EQ(SetChunk(1, {0x74, 0x66, 0x66, 0x70, 0x00}), 0);
  EXPECT_EQ(Plain(TestPlugin::kGain), 0.3);
  EXPECT_TRUE(plug.changes.empty());
}

TEST_F(Vst2State, GetChunkNeedsAPointer)
{
  EXPECT_EQ(Dispatch(effect, effGetChunk, 1, 0, nullptr), 0);
}

TEST_F(Vst2State, BankChunkRoundTripsEveryProgram)
{
  SetPlain(TestPlugin::kGain, 0.2);
  Dispatch(effect, effSetProgram, 0, 1);  // program 1 captures the current values
  ASSERT_EQ(Dispatch(effect, effGetProgram), 1);
  SetPlain(TestPlugin::kGain, 0.6);
  const std::vector<uint8_t> bank = GetChunk(0);
  ASSERT_GT(bank.size(), 8u);
  EXPECT_TRUE(std::equal(Header().begin(), Header().end(), bank.begin()));

  SetPlain(TestPlugin::kGain, 0.95);
  Dispatch(effect, effSetProgram, 0, 0);
  ASSERT_EQ(Dispatch(effect, effGetProgram), 0);
  EXPECT_EQ(SetChunk(0, bank), 1);
  // The current program (0) left with 0.2 when program 1 was chosen; program 1 held 0.6.
  EXPECT_EQ(Plain(TestPlugin::kGain), 0.2);
  Dispatch(effect, effSetProgram, 0, 1);
  EXPECT_EQ(Plain(TestPlugin::kGain), 0.6);
  EXPECT_EQ(GetChunk(0).size(), bank.size());
}

TEST_F(Vst2State, SetProgramKeepsTheLeavingProgramsValues)
{
  SetPlain(TestPlugin::kGain, 0.8);
  Dispatch(effect, effSetProgram, 0, 1);
  SetPlain(TestPlugin::kGain, 0.1);
  Dispatch(effect, effSetProgram, 0, 0);
  EXPECT_EQ(Plain(TestPlugin::kGain), 0.8);
  Dispatch(effect, effSetProgram, 0, 1);
  EXPECT_EQ(Plain(TestPlugin::kGain), 0.1);

  char name[kVstMaxProgNameLen];
  EXPECT_EQ(Dispatch(effect, effGetProgramNameIndexed, 0, 0, name), 1);
  EXPECT_STREQ(name, "Init");
  EXPECT_EQ(Dispatch(effect, effGetProgramNameIndexed, 1, 0, name), 1);
  EXPECT_STREQ(name, "user preset 1");
  EXPECT_EQ(Dispatch(effect, effGetProgramNameIndexed, 2, 0, name), 0);
  EXPECT_STREQ(name, "");
}

TEST_F(Vst2State, SetProgramOutsideTheListChangesNothing)
{
  for (VstIntPtr program : {VstIntPtr{-1}, VstIntPtr{2}, VstIntPtr{1} << 33})
  {
    Dispatch(effect, effSetProgram, 0, program);
    EXPECT_EQ(Dispatch(effect, effGetProgram), 0) << program;
  }
  EXPECT_FALSE(plug.GetPresetSlot(1)->initialised);
}

}  // namespace
