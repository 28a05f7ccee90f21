#pragma once

#include "graphics/IMenuItem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// How item texts are numbered when a menu is shown.
enum class IMenuPrefix : int32_t
{
  None = 0,
  OneDigit = 1,     // "%1d: %s"
  TwoDigits = 2,    // "%02d: %s"
  ThreeDigits = 3,  // "%03d: %s"
};

// A popup menu as the editor hands it to the window host: owned items, each
// possibly opening a submenu owned elsewhere, and the item the user chose.
class IMenu
{
public:
  explicit IMenu(IMenuPrefix prefix = IMenuPrefix::None) : prefix(prefix) {}

  IMenu(const IMenu&) = delete;
  IMenu& operator=(const IMenu&) = delete;

  // Appends an item (flags 0) and returns it.
  IMenuItem* AddItem(const char* text);
  IMenuItem* AddItem(const char* text, IMenu* submenu);

  int ItemCount() const { return static_cast<int>(items.size()); }
  // Null for an index out of range.
  IMenuItem* Item(int index);
  const IMenuItem* Item(int index) const;

  // The text shown for item `index` with the menu's numbering (items are
  // numbered from 1); empty for an index out of range.
  std::string ShownText(int index) const;

  IMenuPrefix Prefix() const { return prefix; }
  // -1 until a choice is made.
  int32_t ChosenItem() const { return chosenItem; }
  void SetChosenItem(int32_t index) { chosenItem = index; }

private:
  IMenuPrefix prefix;
  int32_t chosenItem = -1;
  std::vector<std::unique_ptr<IMenuItem>> items;
};
