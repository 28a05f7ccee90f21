#include "graphics/win32/MenuIdBlocks.h"

#include "graphics/IMenu.h"

namespace
{

void Reserve(IMenu& menu, int32_t& nextId, std::vector<MenuIdBlock>& blocks)
{
  blocks.push_back({&menu, nextId, menu.ItemCount()});
  nextId += menu.ItemCount();
  for (int k = 0; k < menu.ItemCount(); ++k)
  {
    const IMenuItem& item = *menu.Item(k);
    if (OpensSubmenu(item))
      Reserve(*item.submenu, nextId, blocks);
  }
}

}  // namespace

bool OpensSubmenu(const IMenuItem& item)
{
  return item.submenu && !item.Has(IMenuItem::kSeparator);
}

std::vector<MenuIdBlock> ReserveMenuIdBlocks(IMenu& root)
{
  std::vector<MenuIdBlock> blocks;
  int32_t nextId = 0;
  Reserve(root, nextId, blocks);
  return blocks;
}

IMenu* ChooseMenuItem(const std::vector<MenuIdBlock>& blocks, int32_t id)
{
  for (const MenuIdBlock& block : blocks)
  {
    if (id >= block.firstId && id < block.firstId + block.count)
    {
      block.menu->SetChosenItem(id - block.firstId);
      return block.menu;
    }
  }
  return nullptr;
}
