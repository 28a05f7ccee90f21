// Once the first block has run, a process call allocates nothing on the heap,
// whatever the block brings: parameter changes, tempo, MIDI, bypass, any block
// length up to the maximum. The one exception is the MIDI queue growing when a
// block brings more messages than it holds.
//
// The counter sees every allocation of the process, the host's included, so
// the host is kept from allocating inside the counted calls: its event lists
// only ever hold as many entries as they held in an uncounted block before.
#include "tests/hardening/AllocationCounter.h"
#include "tests/hardening/ModuleHost.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace
{
// The parameters whose changes belong to the audio path: every one except the
// preset actions, which load and save preset files by design.
const char* const kSoundParameters[] = {"FilterTone",         "MainFxOffOn",
                                        "MainInputGain",      "MainInputMode",
                                        "MainOutputBlend",    "MainOutputVolume",
                                        "QuillwaveBandwidth", "QuillwaveCenter",
                                        "QuillwaveFeedback",  "QuillwaveMode",
                                        "QuillwaveRate",      "SaturationGain",
                                        "HostBarStartPulse",  "HostTransportIsRunning",
                                        "zInitParams"};

// Controllers 1 to 14 on `channel`: the mapped ones and some that are not.
HostMidiMessage Controller(int n, int channel)
{
  HostMidiMessage message;
  message.offset = (n * 37) % ModuleHost::kMaxBlock;
  message.status = static_cast<uint8_t>(0xB0 | channel);
  message.data1 = static_cast<uint8_t>(1 + n % 14);
  message.data2 = static_cast<uint8_t>((n * 29) % 128);
  return message;
}

HostMidiMessage Note(int n, int channel)
{
  HostMidiMessage message;
  message.offset = (n * 37) % ModuleHost::kMaxBlock;
  message.status = static_cast<uint8_t>((n % 2 == 0 ? 0x90 : 0x80) | channel);
  message.data1 = static_cast<uint8_t>(40 + n % 40);
  message.data2 = 100;
  return message;
}

class AllocationFreeProcess : public ::testing::TestWithParam<ModuleCase>
{
protected:
  void SetUp() override { ASSERT_TRUE(host.Ready()) << host.Error(); }

  // `count` MIDI messages for the next block, for the plug-in's MIDI queue:
  // controllers where the format carries them as events (VST2), notes
  // otherwise.
  void QueueMessages(int count, int channel)
  {
    PluginInstance& plugin = host.Plugin();
    const bool controllers = plugin.Format() == "VST2";
    for (int n = 0; n < count; ++n)
      plugin.QueueMidi(controllers ? Controller(n, channel) : Note(n, channel));
  }

  int64_t CountedBlock(int32_t frames)
  {
    const AllocationCounter counter;
    host.ProcessSignal(frames);
    return counter.Count();
  }

  ModuleHost host{GetParam()};
};

TEST_P(AllocationFreeProcess, BlocksAfterTheFirstAllocateNothing)
{
  PluginInstance& plugin = host.Plugin();
  std::vector<int> parameters;
  for (const char* name : kSoundParameters)
  {
    const int index = host.IndexOf(name);
    ASSERT_GE(index, 0) << name;
    parameters.push_back(index);
  }
  constexpr int kMessagesPerBlock = 24;
  QueueMessages(kMessagesPerBlock, 0);
  host.ProcessSignal(ModuleHost::kMaxBlock);

  const int32_t lengths[] = {512, 1, 300, 511, 64, 512, 7, 512};
  for (int round = 0; round < 24; ++round)
  {
    for (size_t i = 0; i < parameters.size(); ++i)
      plugin.SetNormalized(parameters[i], static_cast<double>((round * 7 + i * 3) % 11) / 10.0);
    plugin.SetTempo(60.0 + 10.0 * round);
    QueueMessages(kMessagesPerBlock, 0);
    const int32_t frames = lengths[round % std::size(lengths)];
    EXPECT_EQ(CountedBlock(frames), 0) << "round " << round << ", " << frames << " frames";
  }
}

TEST_P(AllocationFreeProcess, BypassChangesAllocateNothing)
{
  const int bypass = host.IndexOf("Bypass");
  if (bypass < 0)
    GTEST_SKIP() << "bypass is a host parameter of the VST3 module only";
  host.ProcessSignal(ModuleHost::kMaxBlock);
  for (int round = 0; round < 6; ++round)
  {
    host.Plugin().SetNormalized(bypass, round % 2 == 0 ? 1.0 : 0.0);
    EXPECT_EQ(CountedBlock(ModuleHost::kMaxBlock), 0) << "round " << round;
  }
}

// A program change reloads the slot's state, whose PresetSelector value runs
// the selector's action on the audio thread: the load selector remembers the
// library folder again, which must not be built afresh each time.
TEST_P(AllocationFreeProcess, ProgramChangesAllocateNothing)
{
  const int program = host.IndexOf("Preset");
  if (program < 0)
    GTEST_SKIP() << "programs are a host parameter of the VST3 module only";
  host.ProcessSignal(ModuleHost::kMaxBlock);
  for (int round = 0; round < 6; ++round)
  {
    host.Plugin().SetNormalized(program, 0.0);
    EXPECT_EQ(CountedBlock(ModuleHost::kMaxBlock), 0) << "round " << round;
  }
}

TEST_P(AllocationFreeProcess, OnlyMidiQueueGrowthAllocates)
{
  // The queue is sized for 512 messages at a block size of 512. Messages on
  // channel 2 never reach it, so this first block only sizes the host's
  // event list for the floods below.
  constexpr int kFlood = 3000;
  QueueMessages(kFlood, 1);
  host.ProcessSignal(ModuleHost::kMaxBlock);

  QueueMessages(500, 0);
  EXPECT_EQ(CountedBlock(ModuleHost::kMaxBlock), 0) << "messages within the capacity";
  QueueMessages(kFlood, 0);
  EXPECT_GT(CountedBlock(ModuleHost::kMaxBlock), 0) << "the queue had to grow";
  QueueMessages(kFlood, 0);
  EXPECT_EQ(CountedBlock(ModuleHost::kMaxBlock), 0) << "the grown queue holds the next flood";
}

INSTANTIATE_TEST_SUITE_P(Modules, AllocationFreeProcess, ::testing::ValuesIn(AllModuleCases()),
                         ModuleCaseName);
}  // namespace
