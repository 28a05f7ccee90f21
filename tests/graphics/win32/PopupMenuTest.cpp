#include "WinTestEditor.h"

#include "graphics/IMenu.h"

#include <gtest/gtest.h>

namespace
{

// Posts keys to the menu loop that TrackPopupMenu runs: the menu reads them
// from this thread's queue.
class MenuKeys
{
public:
  MenuKeys(HWND target, std::vector<WPARAM> keys) : target(target), keys(std::move(keys))
  {
    current = this;
    timer = SetTimer(nullptr, 0, 50, &OnTimer);
  }
  ~MenuKeys()
  {
    KillTimer(nullptr, timer);
    current = nullptr;
  }
  MenuKeys(const MenuKeys&) = delete;
  MenuKeys& operator=(const MenuKeys&) = delete;

private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
  {
    MenuKeys* self = current;
    if (!self)
      return;
    // A menu the keys did not close fails the test instead of hanging it.
    if (self->posted)
    {
      if (++self->ticksSincePosted == kGiveUpTicks)
        EndMenu();
      return;
    }
    self->posted = true;
    for (const WPARAM key : self->keys)
    {
      PostMessageA(self->target, WM_KEYDOWN, key, 1);
      PostMessageA(self->target, WM_KEYUP, key, 0xC0000001);
    }
  }

  static constexpr int kGiveUpTicks = 60;
  static inline MenuKeys* current = nullptr;
  const HWND target;
  const std::vector<WPARAM> keys;
  UINT_PTR timer = 0;
  bool posted = false;
  int ticksSincePosted = 0;
};

struct MenuEditor : WinTestEditor
{
  MenuEditor()
  {
    AddRecording("all", {0, 0, 500, 480});
    Attach();
    Open(host);
    ShowWindow(host.Handle(), SW_SHOW);
    SetForegroundWindow(host.Handle());
    PumpMessages();
  }
  TestHostWindow& host = SharedHostWindow();
};

}  // namespace

TEST(PopupMenu, ChoosingASubmenuItemReturnsTheSubmenu)
{
  MenuEditor editor;
  IMenu submenu;
  submenu.AddItem("one");
  submenu.AddItem("two");
  submenu.AddItem("three");
  IMenu menu(IMenuPrefix::TwoDigits);
  menu.AddItem("first");
  menu.AddItem("more", &submenu);

  // A press captured the background; the menu forgets it.
  editor.Press(5, 5);
  ASSERT_EQ(editor.graphics->GetMouseCapture(), 0);
  editor.Release(5, 5);
  editor.Press(5, 5);

  // Down to "more", open it, down to "two", choose.
  IMenu* chosen = nullptr;
  {
    const MenuKeys keys(editor.Window(), {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
    chosen = editor.graphics->ShowPopupMenu(menu, {10, 10, 60, 30});
  }
  EXPECT_EQ(chosen, &submenu);
  EXPECT_EQ(submenu.ChosenItem(), 1);
  EXPECT_EQ(menu.ChosenItem(), -1);
  EXPECT_EQ(editor.graphics->GetMouseCapture(), -1);
  EXPECT_EQ(editor.graphics->GetLastMouseX(), -1);
  // The whole editor is repainted after the menu.
  RECT invalid{};
  ASSERT_TRUE(GetUpdateRect(editor.Window(), &invalid, FALSE));
  EXPECT_EQ(invalid.right, 500);
  EXPECT_EQ(invalid.bottom, 480);
}

TEST(PopupMenu, EscapeChoosesNothing)
{
  MenuEditor editor;
  IMenu menu;
  menu.AddItem("first");
  IMenu* chosen = &menu;
  {
    const MenuKeys keys(editor.Window(), {VK_ESCAPE});
    chosen = editor.graphics->ShowPopupMenu(menu, {10, 10, 60, 30});
  }
  EXPECT_EQ(chosen, nullptr);
  EXPECT_EQ(menu.ChosenItem(), -1);
}
