// Popup menus: an IMenu tree built into Win32 menus with the command ids of
// MenuIdBlocks, run with TrackPopupMenu, and the choice read back.
#include "graphics/IMenu.h"
#include "graphics/win32/IGraphicsWin.h"
#include "graphics/win32/MenuIdBlocks.h"
#include "graphics/win32/WinRect.h"

namespace
{

struct MenuDeleter
{
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

UINT ItemFlags(const IMenuItem& item)
{
  UINT flags = MF_STRING;
  if (item.Has(IMenuItem::kDisabled))
    flags |= MF_GRAYED;
  if (item.Has(IMenuItem::kTitle))
    flags |= MF_DISABLED;
  if (item.Has(IMenuItem::kChecked))
    flags |= MF_CHECKED;
  return flags;
}

// Builds the menu of blocks[next] and, through recursion, the submenus it
// opens. The blocks are in build order, so each menu takes the next one.
MenuHandle BuildMenu(const std::vector<MenuIdBlock>& blocks, size_t& next)
{
  const MenuIdBlock& block = blocks[next++];
  MenuHandle menu(CreatePopupMenu());
  for (int k = 0; k < block.menu->ItemCount(); ++k)
  {
    const IMenuItem& item = *block.menu->Item(k);
    const std::string text = block.menu->ShownText(k);
    if (item.Has(IMenuItem::kSeparator))
    {
      if (menu)
        AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    }
    else if (OpensSubmenu(item))
    {
      // Built even when this menu failed, so later menus keep their blocks.
      MenuHandle submenu = BuildMenu(blocks, next);
      if (menu && submenu &&
          AppendMenuA(menu.get(), MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.get()),
                      text.c_str()))
        submenu.release();  // owned by its parent menu now
    }
    else if (menu)
    {
      AppendMenuA(menu.get(), ItemFlags(item), static_cast<UINT_PTR>(block.firstId + k),
                  text.c_str());
    }
  }
  return menu;
}

}  // namespace

IMenu* IGraphicsWin::ShowPopupMenu(IMenu& menu, const IRectangle& rect)
{
  ReleaseMouseCapture();
  if (!editorWindow)
    return nullptr;
  const std::vector<MenuIdBlock> blocks = ReserveMenuIdBlocks(menu);
  size_t next = 0;
  MenuHandle popup = BuildMenu(blocks, next);
  IMenu* chosen = nullptr;
  if (popup)
  {
    POINT at{rect.left, rect.bottom};
    ClientToScreen(editorWindow, &at);
    if (TrackPopupMenu(popup.get(), TPM_LEFTBUTTON, at.x, at.y, 0, editorWindow, nullptr))
    {
      MSG command;
      if (PeekMessageA(&command, editorWindow, WM_COMMAND, WM_COMMAND, PM_REMOVE) &&
          HIWORD(command.wParam) == 0)
        chosen = ChooseMenuItem(blocks, LOWORD(command.wParam));
    }
  }
  popup.reset();
  // The menu covered the editor.
  const RECT all = ToWinRect({0, 0, Width(), Height()});
  InvalidateRect(editorWindow, &all, FALSE);
  return chosen;
}
