#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The preset library's catalogue: which preset numbers exist, the name each one
// shows in the preset menu and the file it reads, relative to the library folder.
// Number 0 is the menu's title entry; 1 to 13 are the factory presets and 14 to
// 113 the user slots. Every other number has no file.

constexpr int32_t kPresetCatalogueFirstFile = 1;
constexpr int32_t kPresetCatalogueLastFile = 113;
constexpr int32_t kPresetUserFirstNumber = 14;
constexpr int32_t kPresetUserSlotsPerBank = 25;
constexpr const char* kPresetFileExtension = "quillwavepreset";

// The seven menus of the preset selector, in the order the selector holds them.
enum class PresetMenu : int32_t
{
  Main = 0,
  FactoryChorus,
  FactoryFlanger,
  UserBankA,
  UserBankB,
  UserBankC,
  UserBankD,
};
constexpr int32_t kPresetMenuCount = 7;

// Name shown in the menu for a catalogue number; empty outside 0 to 113.
std::string PresetCatalogueName(int32_t number);

// File path relative to the library folder ("Factory/....quillwavepreset");
// empty for a number without a file.
std::string PresetCatalogueFile(int32_t number);

// Title of a menu as it appears in the main menu ("Factory > Chorus"); the main
// menu's own title is empty.
std::string PresetMenuTitle(PresetMenu menu);

// Catalogue number of a menu's first item; a chosen item's number is this base
// plus the item's position.
int32_t PresetMenuBase(PresetMenu menu);

// The item texts of a menu, in order. The main menu lists the title entry, the
// welcome preset and then the six submenu titles.
std::vector<std::string> PresetMenuItems(PresetMenu menu);

// The catalogue number a PresetSelector value names: the value plus 0.5,
// truncated toward zero (5.4 gives 5, 5.5 gives 6, -0.6 gives 0). Values are
// limited to the selector's range -1 to 10000 first; NaN names 0.
int32_t PresetCatalogueNumber(double selectorValue);
