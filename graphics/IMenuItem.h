#pragma once

#include <cstdint>
#include <string>

class IMenu;

// One entry of a popup menu. The submenu is not owned by the item.
struct IMenuItem
{
  enum Flags : int32_t
  {
    kDisabled = 1,
    kTitle = 2,
    kChecked = 4,
    kSeparator = 8,
  };

  std::string text;
  IMenu* submenu = nullptr;
  int32_t flags = 0;

  bool Has(Flags flag) const { return (flags & flag) != 0; }
};
