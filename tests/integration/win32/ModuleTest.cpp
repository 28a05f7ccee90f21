// Both Windows modules, loaded from their install layout in the Wine prefix through
// VSTPluginMain and GetPluginFactory: what a host sees of the plug-in, its parameters and
// display texts, state, programs, MIDI and both sample precisions.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "tests/integration/ExpectedParameters.h"
#include "tests/integration/ReferenceRender.h"
#include "tests/integration/win32/WineModuleFixture.h"

namespace winetest
{
namespace
{

constexpr int32_t kBlock = 512;

// Blocks of stereo audio in either precision, the input taken from the reference signal.
template <typename Sample>
class Blocks
{
public:
  explicit Blocks(int count) : frames(count * kBlock)
  {
    for (int c = 0; c < 2; ++c)
    {
      in[c].resize(static_cast<size_t>(frames));
      out[c].assign(static_cast<size_t>(frames), Sample(0));
      for (int t = 0; t < frames; ++t)
        in[c][static_cast<size_t>(t)] = static_cast<Sample>(reference::Input(c, t));
    }
  }

  // Processes block `block` through the plug-in.
  void Process(PluginInstance& plugin, int block)
  {
    const size_t start = static_cast<size_t>(block) * kBlock;
    const Sample* inputs[2] = {in[0].data() + start, in[1].data() + start};
    Sample* outputs[2] = {out[0].data() + start, out[1].data() + start};
    plugin.Process(inputs, outputs, kBlock);
  }

  const int frames;
  std::array<std::vector<Sample>, 2> in;
  std::array<std::vector<Sample>, 2> out;
};

void Prepare(PluginInstance& plugin, SamplePrecision precision)
{
  std::string error;
  ASSERT_TRUE(plugin.Prepare(48000.0, kBlock, precision, error)) << error;
  plugin.SetTempo(97.0);
}

double DoubleAt(const std::vector<uint8_t>& bytes, size_t offset)
{
  double value = 0.0;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

using WineModuleHost = WineModule;

TEST_P(WineModuleHost, SeesQuillwaveWithAStereoInputAndOutput)
{
  EXPECT_EQ(plugin->Name(), "Quillwave");
  const std::vector<std::string> buses = plugin->Buses();
  if (IsVst2())
  {
    EXPECT_EQ(plugin->ParameterCount(), 22);
    EXPECT_EQ(buses, (std::vector<std::string>{"input pin 0: \"Input 1\", first of a stereo pair",
                                               "input pin 1: \"Input 2\"",
                                               "output pin 0: \"Output 1\", first of a stereo pair",
                                               "output pin 1: \"Output 2\""}));
  }
  else
  {
    // The program change and bypass parameters come first.
    ASSERT_EQ(plugin->ParameterCount(), 24);
    EXPECT_EQ(plugin->Parameter(0).name, "Preset");
    EXPECT_EQ(plugin->Parameter(1).name, "Bypass");
    ASSERT_GE(buses.size(), 2u);
    EXPECT_EQ(buses[0].rfind("audio input 0: ", 0), 0u) << buses[0];
    EXPECT_NE(buses[0].find("2 channel(s)"), std::string::npos) << buses[0];
    EXPECT_EQ(buses[1].rfind("audio output 0: ", 0), 0u) << buses[1];
    EXPECT_NE(buses[1].find("2 channel(s)"), std::string::npos) << buses[1];
  }
}

TEST_P(WineModuleHost, TheBundlePathAndTheModuleInsideItLoadTheSamePlugin)
{
  if (IsVst2())
    GTEST_SKIP() << "a VST2 module is a single file";
  auto direct = LoadModule(wineinstall::kVst3Module);
  ASSERT_NE(direct, nullptr);
  EXPECT_EQ(direct->Name(), plugin->Name());
  EXPECT_EQ(direct->SaveState(), plugin->SaveState());
}

TEST_P(WineModuleHost, ParametersAndTheirDisplayTextsAsAHostEnumeratesThem)
{
  for (const ExpectedParameter& row : kExpectedParameters)
  {
    const int index = Index(row.name);
    ASSERT_GE(index, 0);
    const HostParameter parameter = plugin->Parameter(index);
    const double normalized = (row.defaultValue - row.min) / (row.max - row.min);
    // VST2 hands values over as floats.
    EXPECT_NEAR(parameter.defaultNormalized, normalized, IsVst2() ? 1e-7 : 1e-12) << row.name;
    EXPECT_NEAR(plugin->Normalized(index), normalized, IsVst2() ? 1e-7 : 1e-12) << row.name;
    EXPECT_EQ(plugin->ValueText(index), row.display) << row.name;
    EXPECT_EQ(parameter.units, "") << row.name;
    EXPECT_TRUE(parameter.automatable) << row.name;
  }
  EXPECT_EQ(plugin->DisplayText(Index("FilterTone"), 0.25), "0.25000");
  EXPECT_EQ(plugin->DisplayText(Index("PresetSelector"), 0.0), "-1.00000");
  EXPECT_EQ(plugin->DisplayText(Index("PresetSelector"), 1.0), "10000.00000");
  EXPECT_EQ(plugin->DisplayText(Index("MidiChannelInput"), 1.0), "1.00001");
}

TEST_P(WineModuleHost, ValuesSetByTheHostReadBackWithTheirTexts)
{
  plugin->SetPlain(Index("FilterTone"), 0.25);
  plugin->SetPlain(Index("MainInputMode"), 2.0);
  plugin->SetPlain(Index("HostTempoBpm"), 140.0);
  EXPECT_NEAR(Value("FilterTone"), 0.25, 1e-7);
  EXPECT_EQ(plugin->ValueText(Index("FilterTone")), "0.25000");
  EXPECT_EQ(plugin->ValueText(Index("MainInputMode")), "2.00000");
  EXPECT_EQ(plugin->ValueText(Index("HostTempoBpm")), "140.00000");
  // The next block takes the tempo from the host instead.
  Prepare(*plugin, SamplePrecision::Double);
  Blocks<double> audio(1);
  audio.Process(*plugin, 0);
  EXPECT_EQ(plugin->ValueText(Index("HostTempoBpm")), "97.00000");
}

TEST_P(WineModuleHost, TheProgramListHoldsInit)
{
  EXPECT_EQ(plugin->Programs(), std::vector<std::string>{"Init"});
}

TEST_P(WineModuleHost, StateRoundTripsByteForByte)
{
  Prepare(*plugin, SamplePrecision::Double);
  plugin->SetPlain(Index("FilterTone"), 0.25);
  plugin->SetPlain(Index("MainFxOffOn"), 1.0);
  plugin->SetPlain(Index("QuillwaveFeedback"), 0.75);
  Blocks<double> audio(1);
  audio.Process(*plugin, 0);

  const std::vector<uint8_t> saved = plugin->SaveState();
  // VST2: the chunk header, then 22 doubles; VST3: 22 doubles, then the bypass flag.
  const size_t values = IsVst2() ? 8 : 0;
  ASSERT_EQ(saved.size(), IsVst2() ? 184u : 180u);
  if (IsVst2())
  {
    const uint8_t header[] = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
    EXPECT_EQ(std::memcmp(saved.data(), header, sizeof header), 0);
  }
  else
  {
    EXPECT_EQ(std::vector<uint8_t>(saved.begin() + 176, saved.end()),
              (std::vector<uint8_t>{0, 0, 0, 0}));
  }
  EXPECT_EQ(DoubleAt(saved, values + 0), 0.25);
  EXPECT_EQ(DoubleAt(saved, values + 8 * 2), 97.0);  // the host tempo of the last block
  EXPECT_EQ(DoubleAt(saved, values + 8 * 12), 0.75);

  plugin->SetPlain(Index("FilterTone"), 0.9);
  plugin->SetPlain(Index("QuillwaveFeedback"), 0.0);
  ASSERT_TRUE(plugin->LoadState(saved));
  EXPECT_NEAR(Value("FilterTone"), 0.25, 1e-7);
  EXPECT_NEAR(Value("QuillwaveFeedback"), 0.75, 1e-7);
  EXPECT_EQ(plugin->SaveState(), saved);

  auto other = Load();
  ASSERT_NE(other, nullptr);
  ASSERT_TRUE(other->LoadState(saved));
  EXPECT_EQ(other->SaveState(), saved);
}

TEST_P(WineModuleHost, MidiReachesThePluginAsTheFormatCarriesIt)
{
  Prepare(*plugin, SamplePrecision::Double);
  // Controllers on channel 1 move their parameters (VST2 as events, VST3 as changes of the
  // parameters the plug-in maps them to); other channels and unmapped controllers are
  // ignored, or not even sent.
  ASSERT_TRUE(plugin->TakesControllers());
  Blocks<double> audio(3);
  plugin->QueueMidi({0, 0xB1, 7, 127});
  audio.Process(*plugin, 0);
  EXPECT_NEAR(Value("MainOutputVolume"), 0.5, 1e-7);
  ASSERT_TRUE(plugin->QueueMidi({0, 0xB0, 7, 127}));
  ASSERT_TRUE(plugin->QueueMidi({700, 0xB0, 14, 0}));  // FilterTone, due in the next block
  plugin->QueueMidi({0, 0xB0, 4, 127});                // not mapped
  audio.Process(*plugin, 1);
  EXPECT_EQ(Value("MainOutputVolume"), 1.0);
  EXPECT_NEAR(Value("FilterTone"), 0.5, 1e-7);
  audio.Process(*plugin, 2);
  EXPECT_EQ(Value("FilterTone"), 0.0);
  if (IsVst2())
    return;
  // VST3 event lists carry notes, which reach the plug-in and change nothing it does.
  auto noted = Load();
  auto quiet = Load();
  ASSERT_NE(noted, nullptr);
  ASSERT_NE(quiet, nullptr);
  Blocks<double> withNotes(4);
  Blocks<double> withoutNotes(4);
  for (PluginInstance* instance : {noted.get(), quiet.get()})
  {
    Prepare(*instance, SamplePrecision::Double);
    instance->SetPlain(FindParameter(*instance, "MainFxOffOn"), 1.0);
  }
  for (int block = 0; block < 4; ++block)
  {
    ASSERT_TRUE(noted->QueueMidi({10, 0x90, 60, 100}));
    ASSERT_TRUE(noted->QueueMidi({300, 0x80, 60, 0}));
    withNotes.Process(*noted, block);
    withoutNotes.Process(*quiet, block);
  }
  EXPECT_EQ(withNotes.out, withoutNotes.out);
  EXPECT_NE(withNotes.out, withNotes.in) << "the effect was on";
}

TEST_P(WineModuleHost, TheFloatPathIsTheDoublePathRoundedToSinglePrecision)
{
  auto doubles = Load();
  ASSERT_NE(doubles, nullptr);
  Prepare(*plugin, SamplePrecision::Single);
  Prepare(*doubles, SamplePrecision::Double);
  for (PluginInstance* instance : {plugin.get(), doubles.get()})
  {
    instance->SetPlain(FindParameter(*instance, "MainFxOffOn"), 1.0);
    instance->SetPlain(FindParameter(*instance, "QuillwaveRate"), 0.8);
  }
  constexpr int kBlocks = 4;
  Blocks<float> single(kBlocks);
  Blocks<double> widened(kBlocks);
  // The double instance hears what the float host sent.
  for (int c = 0; c < 2; ++c)
    widened.in[c].assign(single.in[c].begin(), single.in[c].end());
  for (int block = 0; block < kBlocks; ++block)
  {
    single.Process(*plugin, block);
    widened.Process(*doubles, block);
  }
  for (int c = 0; c < 2; ++c)
  {
    for (int t = 0; t < single.frames; ++t)
    {
      const double want = widened.out[c][static_cast<size_t>(t)];
      // Half a unit in the last place of a float near `want`.
      const double rounding = std::abs(want) * std::ldexp(1.0, -24) + 1e-45;
      ASSERT_NEAR(single.out[c][static_cast<size_t>(t)], want, rounding) << c << " " << t;
    }
  }
}

WINE_MODULE_SUITE(WineModuleHost);

}  // namespace
}  // namespace winetest
