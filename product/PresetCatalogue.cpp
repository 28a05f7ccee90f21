#include "product/PresetCatalogue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace
{

constexpr int32_t kFactoryCount = 13;

// Names of the title entry and the factory presets, indexed by catalogue number.
constexpr std::array<const char*, kFactoryCount + 1> kFixedNames = {
    "< Presets Library >",         "WLCM - The Modder",           "CHRS - Clean Chorus A",
    "CHRS - Clean Chorus B",       "CHRS - Clean Chorus C",       "CHRS - Saturation Chorus A",
    "CHRS - Saturation Chorus B",  "CHRS - Saturation Chorus C",  "FLNG - Clean Flanger A",
    "FLNG - Clean Flanger B",      "FLNG - Clean Flanger C",      "FLNG - Saturation Flanger A",
    "FLNG - Saturation Flanger B", "FLNG - Saturation Flanger C",
};

struct MenuRecord
{
  const char* title;
  int32_t base;
  int32_t presetCount;
};

constexpr std::array<MenuRecord, kPresetMenuCount> kMenus = {{
    {"", 0, 2},
    {"Factory > Chorus", 2, 6},
    {"Factory > Flanger", 8, 6},
    {"User > User Bank A", kPresetUserFirstNumber, kPresetUserSlotsPerBank},
    {"User > User Bank B", kPresetUserFirstNumber + kPresetUserSlotsPerBank,
     kPresetUserSlotsPerBank},
    {"User > User Bank C", kPresetUserFirstNumber + 2 * kPresetUserSlotsPerBank,
     kPresetUserSlotsPerBank},
    {"User > User Bank D", kPresetUserFirstNumber + 3 * kPresetUserSlotsPerBank,
     kPresetUserSlotsPerBank},
}};

const MenuRecord& Menu(PresetMenu menu)
{
  return kMenus[static_cast<size_t>(menu)];
}

}  // namespace

std::string PresetCatalogueName(int32_t number)
{
  if (number >= 0 && number <= kFactoryCount)
  {
    return kFixedNames[static_cast<size_t>(number)];
  }
  if (number >= kPresetUserFirstNumber && number <= kPresetCatalogueLastFile)
  {
    char slot[4];
    std::snprintf(slot, sizeof slot, "%03d", static_cast<int>(number - kPresetUserFirstNumber + 1));
    return std::string("USR - Quillwave User Preset ") + slot;
  }
  return {};
}

std::string PresetCatalogueFile(int32_t number)
{
  if (number < kPresetCatalogueFirstFile || number > kPresetCatalogueLastFile)
  {
    return {};
  }
  const char* folder = number < kPresetUserFirstNumber ? "Factory/" : "User/";
  return folder + PresetCatalogueName(number) + "." + kPresetFileExtension;
}

std::string PresetMenuTitle(PresetMenu menu)
{
  return Menu(menu).title;
}

int32_t PresetMenuBase(PresetMenu menu)
{
  return Menu(menu).base;
}

std::vector<std::string> PresetMenuItems(PresetMenu menu)
{
  const MenuRecord& record = Menu(menu);
  std::vector<std::string> items;
  for (int32_t i = 0; i < record.presetCount; ++i)
  {
    items.push_back(PresetCatalogueName(record.base + i));
  }
  if (menu == PresetMenu::Main)
  {
    for (int32_t m = 1; m < kPresetMenuCount; ++m)
    {
      items.push_back(kMenus[static_cast<size_t>(m)].title);
    }
  }
  return items;
}

int32_t PresetCatalogueNumber(double selectorValue)
{
  if (std::isnan(selectorValue))
  {
    return 0;
  }
  const double limited = std::clamp(selectorValue, -1.0, 10000.0);
  return static_cast<int32_t>(std::trunc(limited + 0.5));
}
