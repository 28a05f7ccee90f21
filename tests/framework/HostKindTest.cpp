#include "framework/HostKind.h"

#include <gtest/gtest.h>

#include <string>

TEST(HostKind, KnownNamesInAnyCase)
{
  EXPECT_EQ(LookupHostKind("Cubase"), HostKind::Cubase);
  EXPECT_EQ(LookupHostKind("REAPER"), HostKind::Reaper);
  EXPECT_EQ(LookupHostKind("Steinberg Nuendo 12"), HostKind::Nuendo);
  EXPECT_EQ(LookupHostKind("Ableton Live 11"), HostKind::Live);
  EXPECT_EQ(LookupHostKind("Ardour"), HostKind::Ardour);
  EXPECT_EQ(LookupHostKind("VST3PluginTestHost"), HostKind::Vst3PluginTestHost);
  EXPECT_EQ(static_cast<int>(LookupHostKind("Digital Performer")), 23);
  EXPECT_EQ(static_cast<int>(LookupHostKind("Standalone")), 24);
}

TEST(HostKind, FirstKeyInTableOrderWins)
{
  EXPECT_EQ(LookupHostKind("Cubase Live Edition"), HostKind::Cubase);
  EXPECT_EQ(LookupHostKind("Digital ProTools"), HostKind::DigitalPerformer);
  // "live" and "forte" both come before "chainer" in the table.
  EXPECT_EQ(LookupHostKind("live chainer"), HostKind::Live);
  EXPECT_EQ(LookupHostKind("chainer forte"), HostKind::Forte);
}

TEST(HostKind, UnknownEmptyNullAndLongNames)
{
  EXPECT_EQ(LookupHostKind("Bitwig Studio"), HostKind::Unrecognised);
  EXPECT_EQ(LookupHostKind(""), HostKind::Unrecognised);
  EXPECT_EQ(LookupHostKind(nullptr), HostKind::Unrecognised);
  // Only the first 255 characters are looked at.
  EXPECT_EQ(LookupHostKind((std::string(250, ' ') + "reaper").c_str()), HostKind::Unrecognised);
  EXPECT_EQ(LookupHostKind((std::string(249, ' ') + "reaper").c_str()), HostKind::Reaper);
  EXPECT_EQ(LookupHostKind("\xC4\xE4 Logic"), HostKind::Logic);
}
