// A preset library file loaded the way the preset menu loads it: the file of
// catalogue number 1 holds the input and PresetSelector is set to 1.
//
// Input: the file's contents.
#include "engine/EngineParameterTable.h"
#include "product/PresetLibrary.h"
#include "product/Quillwave.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzHome.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>

namespace
{
constexpr int32_t kFuzzedPreset = 1;

// The file behind catalogue number 1, its folder created in the private home.
const std::string& PresetPath()
{
  static const std::string path = [] {
    FuzzPrivateHome();
    const std::string file = PresetLibraryPath(kFuzzedPreset);
    FuzzCheck(!file.empty(), "the preset library has no folder");
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    return file;
  }();
  return path;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  {
    std::ofstream file(PresetPath(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    FuzzCheck(file.good(), "the preset file could not be written");
  }
  auto plugin = std::make_unique<Quillwave>();
  plugin->SetSampleRate(48000.0);
  plugin->ResizeBlock(kFuzzBlockFrames);
  plugin->OnReset();

  plugin->GetParam(kPresetSelector)->SetPlainClamped(kFuzzedPreset);
  plugin->OnParameterChanged(kPresetSelector);
  FuzzCheck(plugin->GetParam(kPresetSelector)->Value() == 0.0, "the selector did not return to 0");
  CheckParametersInRange(*plugin);
  CheckCleanBlock(*plugin);
  return 0;
}
