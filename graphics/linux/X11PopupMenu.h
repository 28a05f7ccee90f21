#pragma once

#include "graphics/IRectangle.h"
#include "graphics/linux/PopupMenuPanel.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class IMenu;
class X11EditorWindow;
struct X11EditorEvent;

// A popup menu of the X11 editor, run to its end as TrackPopupMenu runs a
// Windows menu: each open level is a PopupMenuPanel in a popup window of the
// editor's connection, placed below the menu's rectangle and kept on the
// screen, with the pointer and keyboard grabbed while it runs. Hovering
// highlights an item and opens its submenu; releasing a button on a plain
// item chooses it; Up, Down, Right, Left, Enter and Escape work as in
// desktop menus; a press outside every level closes the menu with no choice.
class X11PopupMenu
{
public:
  // `editorEvent` receives what arrives for the editor window meanwhile
  // (its exposures), so the editor keeps drawing under the menu.
  X11PopupMenu(X11EditorWindow& window, std::function<void(const X11EditorEvent&)> editorEvent);
  ~X11PopupMenu();
  X11PopupMenu(const X11PopupMenu&) = delete;
  X11PopupMenu& operator=(const X11PopupMenu&) = delete;

  // Shows `menu` at the editor's rectangle `rect`; returns the menu holding
  // the chosen item, with its chosen item set, or null for no choice.
  IMenu* Run(IMenu& menu, const IRectangle& rect);

private:
  struct Level
  {
    std::unique_ptr<PopupMenuPanel> panel;
    uint32_t popup = 0;
    int x = 0;
    int y = 0;
    // The item of the level above that opened this one.
    int openedBy = -1;
  };

  bool Open(IMenu& menu, int x, int y, int avoidTop, int openedBy);
  void CloseFrom(size_t level);
  void Redraw(Level& level);
  // The deepest level at a point of the screen, -1 for none.
  int LevelAt(int x, int y) const;
  void Hover(int x, int y);
  void OpenSubmenuOf(size_t level, int item);
  // Acts on a key; false once the menu ends.
  bool Key(uint32_t keysym);
  IMenu* Choose(Level& level, int item);

  X11EditorWindow& window;
  std::function<void(const X11EditorEvent&)> editorEvent;
  std::vector<Level> levels;
  bool running = false;
  IMenu* chosen = nullptr;
};
