// The Windows modules' audio and saved state against what the Linux modules made of the same
// input with the same settings (tests/integration/reference stores it). The two builds differ
// only in their C runtimes' rounding of tanh, tan and cos, so every sample lies within 1e-12
// of the Linux one. The largest difference per module is printed.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/integration/ReferenceRender.h"
#include "tests/integration/win32/WineModuleFixture.h"

namespace winetest
{
namespace
{

constexpr double kTolerance = 1e-12;

std::string LinuxFile(const std::string& name)
{
  return (std::filesystem::path(QUILLWAVE_LINUX_REFERENCE_DIR) / name).string();
}

// The Linux result; a missing file fails with what to do about it.
template <typename Read, typename Values>
bool ReadLinux(const std::string& name, Read read, Values& values)
{
  const std::string path = LinuxFile(name);
  if (!std::filesystem::exists(path))
  {
    ADD_FAILURE() << "no Linux reference " << path
                  << ": run the linux preset's tests first (ctest --preset linux -R "
                     "LinuxReference), which write it";
    return false;
  }
  std::string error;
  const bool done = read(path, values, error);
  EXPECT_TRUE(done) << error;
  return done;
}

struct Largest
{
  double difference = 0.0;
  std::string setting;
  size_t sample = 0;
};

using LinuxReferenceAudio = WineModule;

TEST_P(LinuxReferenceAudio, EverySettingSoundsAsOnLinuxWithin1e12)
{
  Largest largest;
  for (const reference::Setting& setting : reference::Settings())
  {
    auto instance = Load();
    ASSERT_NE(instance, nullptr);
    std::vector<double> output;
    std::string error;
    ASSERT_TRUE(reference::Render(*instance, setting, wineinstall::kFactoryPresets, output, error))
        << error;
    std::vector<double> onLinux;
    if (!ReadLinux(reference::AudioFileName(instance->Format(), setting), reference::ReadDoubles,
                   onLinux))
      continue;
    ASSERT_EQ(output.size(), onLinux.size()) << setting.name;
    Largest here;
    for (size_t i = 0; i < output.size(); ++i)
    {
      ASSERT_TRUE(std::isfinite(output[i])) << setting.name << " sample " << i;
      const double difference = std::fabs(output[i] - onLinux[i]);
      if (difference > here.difference)
        here = {difference, setting.name, i};
    }
    if (here.difference == 0.0)
      std::printf("%s %-28s identical to Linux\n", instance->Format().c_str(),
                  setting.name.c_str());
    else
      std::printf("%s %-28s largest difference from Linux %.3g (frame %zu, channel %zu)\n",
                  instance->Format().c_str(), setting.name.c_str(), here.difference,
                  here.sample / 2, here.sample % 2);
    EXPECT_LE(here.difference, kTolerance)
        << setting.name << " at frame " << here.sample / 2 << ", channel " << here.sample % 2
        << ": " << output[here.sample] << " on Windows, " << onLinux[here.sample] << " on Linux";
    if (here.difference >= largest.difference)
      largest = here;
  }
  std::printf("%s largest difference from the Linux module over all settings: %.3g (%s)\n",
              plugin->Format().c_str(), largest.difference, largest.setting.c_str());
  RecordProperty("largest_difference", std::to_string(largest.difference));
}

TEST_P(LinuxReferenceAudio, TheSavedStateIsTheLinuxModulesByteForByte)
{
  for (const reference::Setting& setting : reference::Settings())
  {
    auto instance = Load();
    ASSERT_NE(instance, nullptr);
    std::vector<double> output;
    std::string error;
    ASSERT_TRUE(reference::Render(*instance, setting, wineinstall::kFactoryPresets, output, error))
        << error;
    std::vector<uint8_t> onLinux;
    if (!ReadLinux(reference::StateFileName(instance->Format(), setting), reference::ReadBytes,
                   onLinux))
      continue;
    const std::vector<uint8_t> saved = instance->SaveState();
    EXPECT_EQ(saved, onLinux) << setting.name;
    // A song saved on Linux opens on Windows with the same values.
    auto restored = Load();
    ASSERT_NE(restored, nullptr);
    ASSERT_TRUE(restored->LoadState(onLinux)) << setting.name;
    EXPECT_EQ(restored->SaveState(), onLinux) << setting.name;
  }
}

WINE_MODULE_SUITE(LinuxReferenceAudio);

}  // namespace
}  // namespace winetest
