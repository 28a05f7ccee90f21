// A flood of 100 000 controller messages in one block, as a host may send
// when it replays dense automation: the queue grows to hold them all, so none
// is dropped and the last value of each controller wins, and the memory it
// takes is that of the messages, reused by the next flood rather than grown.
#include "tests/hardening/ModuleHost.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdint>

namespace
{
constexpr int kFlood = 100000;

int64_t HeapInUse()
{
  return static_cast<int64_t>(mallinfo2().uordblks);
}

HostMidiMessage Controller(int32_t offset, uint8_t controller, uint8_t value, uint8_t channel)
{
  HostMidiMessage message;
  message.offset = offset;
  message.status = static_cast<uint8_t>(0xB0 | channel);
  message.data1 = controller;
  message.data2 = value;
  return message;
}

// Controller 7 (MainOutputVolume) runs through every value and ends on 100;
// controller 1 (MainOutputBlend) comes once, first; controller 14
// (FilterTone) once, last. The plug-in listens on channel 1 (0).
void QueueFlood(PluginInstance& plugin, uint8_t channel)
{
  plugin.QueueMidi(Controller(0, 1, 10, channel));
  for (int n = 0; n < kFlood - 3; ++n)
    plugin.QueueMidi(Controller(static_cast<int32_t>(int64_t{n} * ModuleHost::kMaxBlock / kFlood),
                                7, static_cast<uint8_t>(n % 128), channel));
  plugin.QueueMidi(Controller(ModuleHost::kMaxBlock - 1, 7, 100, channel));
  plugin.QueueMidi(Controller(ModuleHost::kMaxBlock - 1, 14, 77, channel));
}

class MidiFlood : public ::testing::TestWithParam<ModuleCase>
{
};

TEST_P(MidiFlood, EveryControllerLandsAndTheLastValueWins)
{
  ModuleHost host(GetParam());
  ASSERT_TRUE(host.Ready()) << host.Error();
  PluginInstance& plugin = host.Plugin();
  if (plugin.Format() != "VST2")
    GTEST_SKIP() << "a VST3 host sends controllers as parameter changes, which no queue holds";
  // A flood on channel 2 never reaches the queue: it only sizes the host's
  // event list, so that what the floods below add to the heap is the queue.
  QueueFlood(plugin, 1);
  host.ProcessSignal(ModuleHost::kMaxBlock);

  QueueFlood(plugin, 0);
  const int64_t before = HeapInUse();
  host.ProcessSignal(ModuleHost::kMaxBlock);
  const int64_t grown = HeapInUse() - before;
  EXPECT_FLOAT_EQ(plugin.Normalized(host.IndexOf("MainOutputVolume")), 100.0f / 127.0f);
  EXPECT_FLOAT_EQ(plugin.Normalized(host.IndexOf("MainOutputBlend")), 10.0f / 127.0f);
  EXPECT_FLOAT_EQ(plugin.Normalized(host.IndexOf("FilterTone")), 77.0f / 127.0f);
  // A message takes 12 bytes in the queue (8 and its arrival number), which
  // grows in steps of 512.
  EXPECT_GT(grown, int64_t{kFlood} * 12 * 9 / 10);
  EXPECT_LT(grown, int64_t{kFlood} * 12 * 5 / 4);

  QueueFlood(plugin, 0);
  const int64_t beforeSecond = HeapInUse();
  host.ProcessSignal(ModuleHost::kMaxBlock);
  EXPECT_LT(HeapInUse() - beforeSecond, 64 * 1024) << "the second flood reuses the grown queue";
  EXPECT_FLOAT_EQ(plugin.Normalized(host.IndexOf("MainOutputVolume")), 100.0f / 127.0f);
}

INSTANTIATE_TEST_SUITE_P(Modules, MidiFlood, ::testing::ValuesIn(ModuleCasesInDouble()),
                         ModuleCaseName);
}  // namespace
