#include "product/PresetCatalogue.h"
#include "product/PresetFile.h"

#include "engine/EngineParameterTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace
{

// Index of a parameter within the preset elements.
size_t ElementOf(int32_t paramIndex)
{
  for (size_t i = 0; i < kPresetElements.size(); ++i)
  {
    if (kPresetElements[i].paramIndex == paramIndex)
    {
      return i;
    }
  }
  ADD_FAILURE() << "parameter " << paramIndex << " is not stored in presets";
  return 0;
}

struct FactoryPreset
{
  std::string name;
  std::string bytes;
  PresetValues values{};
};

std::optional<FactoryPreset> ReadFactoryPreset(int32_t number)
{
  const std::string file = PresetCatalogueFile(number);
  const std::string prefix = "Factory/";
  if (file.compare(0, prefix.size(), prefix) != 0)
  {
    return std::nullopt;
  }
  std::ifstream in(std::string(QUILLWAVE_FACTORY_PRESETS) + "/" + file.substr(prefix.size()),
                   std::ios::binary);
  if (!in.is_open())
  {
    return std::nullopt;
  }
  FactoryPreset preset;
  preset.name = PresetCatalogueName(number);
  preset.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  const PresetReadValues read = ParsePresetLine(preset.bytes);
  for (size_t i = 0; i < read.size(); ++i)
  {
    if (!read[i])
    {
      ADD_FAILURE() << preset.name << " lacks " << kPresetElements[i].tag;
      return std::nullopt;
    }
    preset.values[i] = *read[i];
  }
  return preset;
}

double Value(const FactoryPreset& preset, int32_t paramIndex)
{
  return preset.values[ElementOf(paramIndex)];
}

TEST(FactoryPresets, EveryCatalogueFileIsShippedInTheWriterFormat)
{
  for (int32_t number = 1; number <= 13; ++number)
  {
    const std::optional<FactoryPreset> preset = ReadFactoryPreset(number);
    ASSERT_TRUE(preset.has_value()) << PresetCatalogueFile(number);
    // One line with no terminator, exactly as the plug-in would save these values.
    EXPECT_EQ(preset->bytes.find_first_of("\r\n"), std::string::npos) << preset->name;
    EXPECT_EQ(FormatPresetText(preset->values), preset->bytes) << preset->name;
    for (double value : preset->values)
    {
      EXPECT_GE(value, 0.0) << preset->name;
      EXPECT_LE(value, 1.0) << preset->name;
    }
    EXPECT_EQ(Value(*preset, kMainFxOffOn), 1.0) << preset->name << " would be bypassed";
  }
}

TEST(FactoryPresets, ModeAndSaturationFollowTheNames)
{
  for (int32_t number = 1; number <= 13; ++number)
  {
    const std::optional<FactoryPreset> preset = ReadFactoryPreset(number);
    ASSERT_TRUE(preset.has_value());
    const bool flanger = preset->name.rfind("FLNG", 0) == 0;
    EXPECT_EQ(Value(*preset, kQuillwaveMode), flanger ? 1.0 : 0.0) << preset->name;
    const bool saturated = preset->name.find("Saturation") != std::string::npos;
    if (saturated)
    {
      EXPECT_GT(Value(*preset, kSaturationGain), 0.0) << preset->name;
    }
    else
    {
      EXPECT_EQ(Value(*preset, kSaturationGain), 0.0) << preset->name;
    }
  }
}

TEST(FactoryPresets, VariantsAToCGoFromSubtleToDeep)
{
  // Catalogue numbers of the A variants; B and C follow.
  for (int32_t first : {2, 5, 8, 11})
  {
    const std::optional<FactoryPreset> a = ReadFactoryPreset(first);
    const std::optional<FactoryPreset> b = ReadFactoryPreset(first + 1);
    const std::optional<FactoryPreset> c = ReadFactoryPreset(first + 2);
    ASSERT_TRUE(a && b && c);
    for (int32_t param : {kQuillwaveBandwidth, kQuillwaveFeedback, kMainOutputBlend})
    {
      EXPECT_LE(Value(*a, param), Value(*b, param)) << a->name << " / " << b->name;
      EXPECT_LE(Value(*b, param), Value(*c, param)) << b->name << " / " << c->name;
    }
    EXPECT_LT(Value(*a, kQuillwaveBandwidth), Value(*c, kQuillwaveBandwidth)) << a->name;
    EXPECT_LE(Value(*a, kSaturationGain), Value(*b, kSaturationGain)) << a->name;
    EXPECT_LE(Value(*b, kSaturationGain), Value(*c, kSaturationGain)) << b->name;
  }
}

}  // namespace
