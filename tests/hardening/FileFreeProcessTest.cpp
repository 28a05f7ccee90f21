// Host automation of the preset controls, host program changes and MIDI
// controllers reach the plug-in on the host's audio thread: nothing they set
// off may open or examine a file. The selected presets still load, from the
// library the plug-in read into memory beforehand.
#include "tests/hardening/FileAccessCounter.h"
#include "tests/hardening/ModuleHost.h"
#include "tests/product/TemporaryHome.h"

#include "product/PresetCatalogue.h"
#include "product/PresetFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace
{

class FileFreeProcess : public ::testing::TestWithParam<ModuleCase>
{
protected:
  void SetUp() override
  {
    library = home.MakeLibraryFolder("");
    std::filesystem::copy(QUILLWAVE_FACTORY_PRESETS, library + "Factory");
    home.MakeLibraryFolder("User");
    host = std::make_unique<ModuleHost>(GetParam());
    ASSERT_TRUE(host->Ready()) << host->Error();
    host->ProcessSignal(ModuleHost::kMaxBlock);
  }

  // Sets host parameter `name` and processes one block, counting file calls.
  void Automate(const char* name, double normalized)
  {
    Counted([&] { host->Plugin().SetNormalized(host->IndexOf(name), normalized); });
  }

  // Makes the host calls (a VST2 host makes them on its audio thread, ahead of
  // the block) and processes one block, counting file calls throughout.
  template <typename HostCalls>
  void Counted(HostCalls hostCalls)
  {
    const FileAccessCounter counter;
    hostCalls();
    host->ProcessSignal(ModuleHost::kMaxBlock);
    EXPECT_EQ(counter.Count(), 0) << "first: "
                                  << (counter.Paths().empty() ? "" : counter.Paths()[0]);
  }

  // Every value of catalogue preset `number`'s file has arrived.
  void ExpectPreset(int32_t number)
  {
    const auto values =
        ParsePresetLine(ReadPresetLastLine(library + PresetCatalogueFile(number)).value_or(""));
    for (size_t i = 0; i < values.size(); ++i)
    {
      ASSERT_TRUE(values[i].has_value());
      EXPECT_NEAR(host->Plugin().Normalized(host->IndexOf(kPresetElements[i].tag)), *values[i],
                  1e-6)
          << PresetCatalogueName(number) << " " << kPresetElements[i].tag;
    }
  }

  TemporaryHome home;
  std::string library;
  std::unique_ptr<ModuleHost> host;
};

TEST_P(FileFreeProcess, PresetAutomationProgramsAndControllersOpenNoFile)
{
  // The selector's normalised value for catalogue number 3.
  Automate("PresetSelector", 4.0 / 10001.0);
  ExpectPreset(3);
  Automate("PresetForward", 1.0);
  Automate("PresetForward", 0.0);
  ExpectPreset(4);
  Automate("PresetBackward", 1.0);
  Automate("PresetBackward", 0.0);
  Automate("PresetBackward", 1.0);
  ExpectPreset(2);

  Counted([&] { host->Plugin().SelectProgram(0); });
  Counted([&] { host->Plugin().QueueMidi({0, 0xB0, 14, 100}); });
  EXPECT_NEAR(host->Plugin().Normalized(host->IndexOf("FilterTone")), 100.0 / 127.0, 1e-6);
}

// The counter sees the C++ runtime's file streams, which preset files are
// read with, and the file system library's status queries.
TEST(FileAccessCounterCheck, SeesFileStreamsAndStat)
{
  const FileAccessCounter counter;
  EXPECT_FALSE(ReadPresetLastLine("/nonexistent/quillwave.quillwavepreset").has_value());
  EXPECT_FALSE(std::filesystem::exists("/nonexistent/quillwave"));
  EXPECT_GE(counter.Count(), 2);
}

INSTANTIATE_TEST_SUITE_P(Modules, FileFreeProcess, ::testing::ValuesIn(ModuleCasesInDouble()),
                         ModuleCaseName);

}  // namespace
