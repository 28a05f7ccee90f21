#include "graphics/linux/X11PopupMenu.h"

#include "graphics/IMenu.h"
#include "graphics/linux/X11EditorWindow.h"
#include "graphics/linux/X11InputMapping.h"
#include "graphics/linux/X11Keysyms.h"

#include <algorithm>

namespace
{

// How long one wait for events lasts before the connection is checked again.
constexpr int kWaitMs = 100;

}  // namespace

X11PopupMenu::X11PopupMenu(X11EditorWindow& window,
                           std::function<void(const X11EditorEvent&)> editorEvent)
    : window(window), editorEvent(std::move(editorEvent))
{
}

X11PopupMenu::~X11PopupMenu()
{
  CloseFrom(0);
}

IMenu* X11PopupMenu::Run(IMenu& menu, const IRectangle& rect)
{
  int x = 0;
  int y = 0;
  int top = 0;
  window.ToScreen(rect.left, rect.bottom, x, y);
  window.ToScreen(rect.left, rect.top, x, top);
  if (!Open(menu, x, y, top, -1))
    return nullptr;
  if (!window.GrabInput(levels.front().popup))
  {
    CloseFrom(0);
    return nullptr;
  }
  running = true;
  chosen = nullptr;
  using Kind = X11EditorEvent::Kind;
  while (running && window.Usable())
  {
    X11EditorEvent event;
    if (!window.WaitEvent(event, kWaitMs))
      continue;
    switch (event.kind)
    {
      case Kind::Expose:
      {
        auto level = std::find_if(levels.begin(), levels.end(),
                                  [&](const Level& l) { return l.popup == event.window; });
        if (level != levels.end())
          Redraw(*level);
        else
          editorEvent(event);
        break;
      }
      case Kind::Motion:
        Hover(event.rootX, event.rootY);
        break;
      case Kind::ButtonPress:
        if (WheelStepsForButton(event.button) == 0 && LevelAt(event.rootX, event.rootY) < 0)
          running = false;
        break;
      case Kind::ButtonRelease:
      {
        const int at = LevelAt(event.rootX, event.rootY);
        if (at < 0)
          break;
        Level& level = levels[static_cast<size_t>(at)];
        const int item = level.panel->ItemAt(event.rootX - level.x, event.rootY - level.y);
        if (item >= 0 && level.panel->Choosable(item))
          chosen = Choose(level, item);
        else if (item >= 0 && level.panel->OpensSubmenu(item))
          OpenSubmenuOf(static_cast<size_t>(at), item);
        break;
      }
      case Kind::KeyPress:
        running = Key(event.keysym);
        break;
      case Kind::WindowGone:
        running = false;
        break;
      default:
        break;
    }
  }
  window.UngrabInput();
  CloseFrom(0);
  return chosen;
}

bool X11PopupMenu::Open(IMenu& menu, int x, int y, int avoidTop, int openedBy)
{
  Level level;
  level.panel = std::make_unique<PopupMenuPanel>(menu);
  level.openedBy = openedBy;
  int screenWidth = 0;
  int screenHeight = 0;
  window.ScreenSize(screenWidth, screenHeight);
  const int width = level.panel->Width();
  const int height = level.panel->Height();
  // A submenu that does not fit right of its parent opens to its left; the
  // top menu that does not fit below its rectangle opens above it.
  if (x + width > screenWidth)
    x = openedBy >= 0 && !levels.empty() ? levels.back().x - width : screenWidth - width;
  if (y + height > screenHeight)
    y = openedBy < 0 && avoidTop - height >= 0 ? avoidTop - height : screenHeight - height;
  level.x = std::max(0, x);
  level.y = std::max(0, y);
  level.popup = window.OpenPopup(level.x, level.y, width, height);
  if (level.popup == 0)
    return false;
  levels.push_back(std::move(level));
  Redraw(levels.back());
  return true;
}

void X11PopupMenu::CloseFrom(size_t first)
{
  while (levels.size() > first)
  {
    window.ClosePopup(levels.back().popup);
    levels.pop_back();
  }
}

void X11PopupMenu::Redraw(Level& level)
{
  const RasterBitmap& picture = level.panel->Picture();
  window.Put(level.popup, picture, {0, 0, picture.Width(), picture.Height()});
  window.Flush();
}

int X11PopupMenu::LevelAt(int x, int y) const
{
  for (size_t k = levels.size(); k-- > 0;)
  {
    const Level& level = levels[k];
    if (x >= level.x && y >= level.y && x < level.x + level.panel->Width() &&
        y < level.y + level.panel->Height())
      return static_cast<int>(k);
  }
  return -1;
}

void X11PopupMenu::Hover(int x, int y)
{
  const int at = LevelAt(x, y);
  if (at < 0)
    return;
  const auto index = static_cast<size_t>(at);
  Level& level = levels[index];
  const int item = level.panel->ItemAt(x - level.x, y - level.y);
  if (level.panel->SetHighlighted(item))
    Redraw(level);
  if (item < 0)
    return;
  if (index + 1 < levels.size() && levels[index + 1].openedBy != item)
    CloseFrom(index + 1);
  if (index + 1 == levels.size() && levels[index].panel->OpensSubmenu(item))
    OpenSubmenuOf(index, item);
}

void X11PopupMenu::OpenSubmenuOf(size_t index, int item)
{
  CloseFrom(index + 1);
  Level& level = levels[index];
  IMenu* const submenu = level.panel->Menu().Item(item)->submenu;
  const IRectangle& row = level.panel->ItemRect(item);
  Open(*submenu, level.x + level.panel->Width(), level.y + row.top - 1, 0, item);
}

bool X11PopupMenu::Key(uint32_t keysym)
{
  Level& deepest = levels.back();
  const int item = deepest.panel->Highlighted();
  switch (keysym)
  {
    case kKeysymUp:
    case kKeysymDown:
      deepest.panel->Step(keysym == kKeysymDown ? 1 : -1);
      Redraw(deepest);
      return true;
    case kKeysymRight:
      if (item >= 0 && deepest.panel->OpensSubmenu(item))
      {
        const size_t opener = levels.size() - 1;
        OpenSubmenuOf(opener, item);
        if (levels.size() > opener + 1)
        {
          levels.back().panel->Step(1);
          Redraw(levels.back());
        }
      }
      return true;
    case kKeysymLeft:
      if (levels.size() > 1)
        CloseFrom(levels.size() - 1);
      return true;
    case kKeysymReturn:
    case kKeysymKeypadEnter:
      if (item >= 0 && deepest.panel->Choosable(item))
      {
        chosen = Choose(deepest, item);
        return false;
      }
      if (item >= 0 && deepest.panel->OpensSubmenu(item))
        OpenSubmenuOf(levels.size() - 1, item);
      return true;
    case kKeysymEscape:
      if (levels.size() == 1)
        return false;
      CloseFrom(levels.size() - 1);
      return true;
    default:
      return true;
  }
}

IMenu* X11PopupMenu::Choose(Level& level, int item)
{
  running = false;
  IMenu& menu = level.panel->Menu();
  menu.SetChosenItem(item);
  return &menu;
}
