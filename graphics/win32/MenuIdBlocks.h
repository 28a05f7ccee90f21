#pragma once

#include <cstdint>
#include <vector>

class IMenu;
struct IMenuItem;

// The command ids of a popup menu tree. One running counter from 0 hands
// each menu a block of as many ids as it has items (separators and submenu
// items count too); item k (from 0) of a menu has id first + k. A menu
// reserves its block when the builder reaches it, before the submenus of its
// items, which follow in item order, depth first. The blocks are listed in
// that order, which is the order the builder visits the menus in.
struct MenuIdBlock
{
  IMenu* menu = nullptr;
  int32_t firstId = 0;
  int32_t count = 0;
};

// Whether the builder opens the item's submenu: a separator never does.
bool OpensSubmenu(const IMenuItem& item);

// The blocks of `root` and every submenu it opens, in build order.
std::vector<MenuIdBlock> ReserveMenuIdBlocks(IMenu& root);

// The menu whose block holds `id`, with its chosen item set to the id's
// position in the block; null (and nothing set) when no block holds it.
IMenu* ChooseMenuItem(const std::vector<MenuIdBlock>& blocks, int32_t id);
