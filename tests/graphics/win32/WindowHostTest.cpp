#include "WinTestEditor.h"

#include "graphics/IPanelControl.h"
#include "graphics/win32/IEffectWindowClass.h"
#include "raster/RasterSysBitmap.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace
{

bool ClassRegistered()
{
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  return GetClassInfoExA(GetModuleHandleA(nullptr), kEditorWindowClass, &info) != 0;
}

std::string ClassName(HWND window)
{
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

RECT BoundsInParent(HWND window)
{
  RECT bounds{};
  GetWindowRect(window, &bounds);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

// What the window shows, read back from its device context, as 0x00RRGGBB.
class WindowPixels
{
public:
  WindowPixels(HWND window, int width, int height) : width(width)
  {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC screen = GetDC(window);
    memory = CreateCompatibleDC(screen);
    dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels),
                           nullptr, 0);
    previous = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    ReleaseDC(window, screen);
  }
  ~WindowPixels()
  {
    SelectObject(memory, previous);
    DeleteObject(dib);
    DeleteDC(memory);
  }
  WindowPixels(const WindowPixels&) = delete;
  WindowPixels& operator=(const WindowPixels&) = delete;

  uint32_t At(int x, int y) const { return pixels[y * width + x] & 0x00FFFFFFu; }

private:
  const int width;
  HDC memory = nullptr;
  HBITMAP dib = nullptr;
  HGDIOBJ previous = nullptr;
  uint32_t* pixels = nullptr;
};

}  // namespace

TEST(WindowHost, OpenWindowCreatesTheEditorAsAChildOfItsSize)
{
  TestHostWindow& host = SharedHostWindow();
  WinTestEditor editor;
  editor.Attach();
  EXPECT_FALSE(editor.graphics->WindowIsOpen());
  EXPECT_STREQ(editor.graphics->DrawSystemName(), "Windows GDI");

  const HWND window = editor.Open(host);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(editor.Window(), window);
  EXPECT_TRUE(editor.graphics->WindowIsOpen());
  EXPECT_EQ(GetParent(window), host.Handle());
  EXPECT_EQ(ClassName(window), "IEffectWndClass");
  char title[16] = {};
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(title, "IEffect");
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 500);
  EXPECT_EQ(client.bottom, 480);
  const RECT bounds = BoundsInParent(window);
  EXPECT_EQ(bounds.left, 0);
  EXPECT_EQ(bounds.top, 0);
  EXPECT_TRUE(ClassRegistered());
  EXPECT_EQ(GetClassLongA(window, GCL_STYLE) & CS_DBLCLKS, static_cast<DWORD>(CS_DBLCLKS));

  editor.graphics->CloseWindow();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(editor.graphics->WindowIsOpen());
  EXPECT_FALSE(ClassRegistered());
  EXPECT_EQ(EditorWindowClassUsers(), 0);
  // Closing again does nothing.
  editor.graphics->CloseWindow();
  EXPECT_EQ(EditorWindowClassUsers(), 0);
}

TEST(WindowHost, OpeningAgainKeepsPositionAndSize)
{
  TestHostWindow& host = SharedHostWindow();
  WinTestEditor editor;
  editor.Attach();
  const HWND first = editor.Open(host);
  ASSERT_NE(first, nullptr);
  SetWindowPos(first, nullptr, 30, 40, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);

  const HWND second = editor.Open(host);
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(IsWindow(first));
  const RECT bounds = BoundsInParent(second);
  EXPECT_EQ(bounds.left, 30);
  EXPECT_EQ(bounds.top, 40);
  EXPECT_EQ(bounds.right - bounds.left, 300);
  EXPECT_EQ(bounds.bottom - bounds.top, 200);
  EXPECT_EQ(EditorWindowClassUsers(), 1);
}

TEST(WindowHost, ClassStaysRegisteredWhileAnyEditorIsOpen)
{
  TestHostWindow& host = SharedHostWindow();
  WinTestEditor one;
  WinTestEditor two;
  one.Attach();
  two.Attach();
  ASSERT_NE(one.Open(host), nullptr);
  ASSERT_NE(two.Open(host), nullptr);
  EXPECT_EQ(EditorWindowClassUsers(), 2);

  one.graphics->CloseWindow();
  EXPECT_TRUE(ClassRegistered());
  EXPECT_TRUE(two.graphics->WindowIsOpen());
  // The remaining editor still works on the class.
  two.Tick();
  two.graphics->CloseWindow();
  EXPECT_FALSE(ClassRegistered());

  ASSERT_NE(one.Open(host), nullptr);
  EXPECT_TRUE(ClassRegistered());
}

TEST(WindowHost, FailedOpenLeavesTheEditorClosedAndTheClassFree)
{
  WinTestEditor editor;
  editor.Attach();
  // A child window needs a parent.
  EXPECT_EQ(editor.graphics->OpenWindow(nullptr), nullptr);
  EXPECT_FALSE(editor.graphics->WindowIsOpen());
  EXPECT_EQ(EditorWindowClassUsers(), 0);
  EXPECT_FALSE(ClassRegistered());
}

TEST(WindowHost, DestroyedParentClosesTheEditor)
{
  auto host = std::make_unique<TestHostWindow>();
  WinTestEditor editor;
  editor.Attach();
  ASSERT_NE(editor.Open(*host), nullptr);
  host->Destroy();
  EXPECT_FALSE(editor.graphics->WindowIsOpen());
  EXPECT_EQ(EditorWindowClassUsers(), 0);

  TestHostWindow& next = SharedHostWindow();
  EXPECT_NE(editor.Open(next), nullptr);
  EXPECT_TRUE(ClassRegistered());
}

TEST(WindowHost, CloseMessageClosesTheEditor)
{
  TestHostWindow& host = SharedHostWindow();
  WinTestEditor editor;
  editor.Attach();
  const HWND window = editor.Open(host);
  ASSERT_NE(window, nullptr);
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(editor.graphics->WindowIsOpen());
  EXPECT_EQ(EditorWindowClassUsers(), 0);
}

TEST(WindowHost, TimerTickPaintsDirtyControlsOntoTheWindow)
{
  TestHostWindow& host = SharedHostWindow();
  WinTestEditor editor;
  editor.Add<IPanelControl>(IRectangle{0, 0, 500, 480}, IColour{255, 0x20, 0x40, 0x60});
  auto* spot =
      editor.Add<IPanelControl>(IRectangle{100, 50, 180, 90}, IColour{255, 0xE0, 0x10, 0x30});
  editor.Attach();
  // Drawn once and clean, so that only opening can make them dirty.
  editor.graphics->DrawDirty({0, 0, 500, 480});
  editor.graphics->DrawDirty({0, 0, 500, 480});
  ASSERT_FALSE(spot->NeedsRedraw());

  ASSERT_NE(editor.Open(host), nullptr);
  EXPECT_TRUE(spot->NeedsRedraw());
  editor.Tick();
  EXPECT_FALSE(spot->NeedsRedraw());
  RECT pending{};
  EXPECT_FALSE(GetUpdateRect(editor.Window(), &pending, FALSE));

  const WindowPixels shown(editor.Window(), 500, 480);
  const RasterSysBitmap& drawn = *editor.graphics->GetDrawBitmap();
  int mismatches = 0;
  for (int y = 0; y < 480; y += 3)
  {
    for (int x = 0; x < 500; x += 3)
    {
      if (shown.At(x, y) != (PixelAt(drawn, x, y) & 0x00FFFFFFu))
        ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(shown.At(120, 60), 0xE01030u);
  EXPECT_EQ(shown.At(10, 10), 0x204060u);
}

TEST(WindowHost, PaintWithoutControlsDoesNotRepeat)
{
  TestHostWindow& host = SharedHostWindow();
  WinTestEditor editor;
  editor.Attach();
  const HWND window = editor.Open(host);
  ASSERT_NE(window, nullptr);
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
}

TEST(WindowHost, ResizeGrowsTheWindowAndInVst2TheHostFrame)
{
  TestHostWindow host;
  WinTestEditor editor;
  editor.Attach();
  const HWND window = editor.Open(host);
  ASSERT_NE(window, nullptr);
  RECT hostBefore{};
  GetWindowRect(host.Handle(), &hostBefore);

  editor.graphics->Resize(600, 500);
  EXPECT_EQ(editor.plugin.calls, (Calls{"resize 600 500"}));
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 600);
  EXPECT_EQ(client.bottom, 500);
  RECT hostAfter{};
  GetWindowRect(host.Handle(), &hostAfter);
  EXPECT_EQ(hostAfter.right - hostAfter.left, hostBefore.right - hostBefore.left + 100);
  EXPECT_EQ(hostAfter.bottom - hostAfter.top, hostBefore.bottom - hostBefore.top + 20);

  // The same size again changes nothing.
  editor.plugin.calls.clear();
  editor.graphics->Resize(600, 500);
  EXPECT_TRUE(editor.plugin.calls.empty());
}

TEST(WindowHost, ResizeInVst3LeavesTheHostFrameAlone)
{
  TestHostWindow host;
  WinTestEditor editor(PluginApi::VST3);
  editor.Attach();
  const HWND window = editor.Open(host);
  ASSERT_NE(window, nullptr);
  RECT hostBefore{};
  GetWindowRect(host.Handle(), &hostBefore);
  editor.graphics->Resize(450, 400);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 450);
  EXPECT_EQ(client.bottom, 400);
  RECT hostAfter{};
  GetWindowRect(host.Handle(), &hostAfter);
  EXPECT_EQ(hostAfter.right - hostAfter.left, hostBefore.right - hostBefore.left);
  EXPECT_EQ(hostAfter.bottom - hostAfter.top, hostBefore.bottom - hostBefore.top);
}

TEST(WindowHost, TooltipsGetTheirWindowOnlyWhenEnabled)
{
  TestHostWindow& host = SharedHostWindow();
  WinTestEditor editor;
  editor.Attach();
  ASSERT_NE(editor.Open(host), nullptr);
  EXPECT_EQ(editor.graphics->TooltipWindow(), nullptr);

  editor.graphics->EnableTooltips(true);
  const HWND window = editor.Open(host);
  ASSERT_NE(window, nullptr);
  const HWND tooltip = editor.graphics->TooltipWindow();
  ASSERT_NE(tooltip, nullptr);
  EXPECT_TRUE(editor.graphics->TooltipsEnabled());
  EXPECT_EQ(ClassName(tooltip), "tooltips_class32");
  // Windows hands the ownership of a child window on to its top-level window.
  EXPECT_EQ(GetWindow(tooltip, GW_OWNER), host.Handle());
  EXPECT_NE(GetWindowLongA(tooltip, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);

  editor.graphics->CloseWindow();
  EXPECT_FALSE(IsWindow(tooltip));
  EXPECT_EQ(editor.graphics->TooltipWindow(), nullptr);
}

TEST(WindowHost, BitmapsLoadOnlyForPngNames)
{
  WinTestEditor editor;
  const std::unique_ptr<RasterBitmap> image = editor.graphics->LoadOsBitmap(9201, "button.PNG");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Width(), 26);
  EXPECT_EQ(image->Height(), 52);
  EXPECT_EQ(editor.graphics->LoadOsBitmap(9201, "button.bmp"), nullptr);
  EXPECT_EQ(editor.graphics->LoadOsBitmap(9201, "png"), nullptr);
  EXPECT_EQ(editor.graphics->LoadOsBitmap(9299, "missing.png"), nullptr);
}
