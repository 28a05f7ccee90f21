// Opening and closing the editor window, and the tooltip window over it.
#include "graphics/win32/IEffectWindowClass.h"
#include "graphics/win32/IGraphicsWin.h"

#include <commctrl.h>

namespace
{

constexpr char kEditorWindowTitle[] = "IEffect";

}  // namespace

void* IGraphicsWin::OpenWindow(void* parent)
{
  parentWindow = static_cast<HWND>(parent);
  int x = 0;
  int y = 0;
  int w = Width();
  int h = Height();
  if (editorWindow)
  {
    RECT bounds{};
    GetWindowRect(editorWindow, &bounds);
    w = bounds.right - bounds.left;
    h = bounds.bottom - bounds.top;
    MapWindowPoints(HWND_DESKTOP, GetParent(editorWindow), reinterpret_cast<POINT*>(&bounds), 2);
    x = bounds.left;
    y = bounds.top;
    CloseWindow();
  }

  AcquireEditorWindowClass(moduleInstance, &WindowProc);
  holdsWindowClass = true;
  SetEditorRedrawRate(FramesPerSecond());
  // WM_CREATE stores this object with the window and starts the timer.
  const HWND window =
      CreateWindowExA(0, kEditorWindowClass, kEditorWindowTitle, WS_CHILD | WS_VISIBLE, x, y, w, h,
                      parentWindow, nullptr, moduleInstance, this);
  editorWindow = window;
  if (!window)
  {
    ReleaseWindowClass();
    return nullptr;
  }
  MarkAllControlsDirty();
  if (TooltipsEnabled())
    CreateTooltip();
  return window;
}

void IGraphicsWin::CloseWindow()
{
  if (!editorWindow)
    return;
  DestroyTooltip();
  DestroyTextEntry();
  const HWND window = editorWindow;
  // Messages sent while the window is destroyed no longer reach this object.
  editorWindow = nullptr;
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
  ReleaseWindowClass();
}

void IGraphicsWin::WindowDestroyed()
{
  // The entry, a child window, is gone already.
  DestroyTooltip();
  ForgetTextEntry();
  SetWindowLongPtrA(editorWindow, GWLP_USERDATA, 0);
  editorWindow = nullptr;
  ReleaseWindowClass();
}

void IGraphicsWin::ReleaseWindowClass()
{
  if (!holdsWindowClass)
    return;
  holdsWindowClass = false;
  ReleaseEditorWindowClass(moduleInstance);
}

void IGraphicsWin::CreateTooltip()
{
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
  if (InitCommonControlsEx(&controls))
  {
    tooltipWindow =
        CreateWindowExA(0, "tooltips_class32", nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, editorWindow,
                        nullptr, moduleInstance, nullptr);
  }
  bool ready = tooltipWindow != nullptr;
  if (ready)
    ready = SetWindowPos(tooltipWindow, HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != 0;
  if (ready)
  {
    // One tool covering the whole editor window.
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = editorWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(editorWindow);
    ready = SendMessageA(tooltipWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
  }
  if (!ready)
  {
    DestroyTooltip();
    EnableTooltips(false);
  }
}

void IGraphicsWin::DestroyTooltip()
{
  // Destroyed with the editor window when that went first.
  if (tooltipWindow && IsWindow(tooltipWindow))
    DestroyWindow(tooltipWindow);
  tooltipWindow = nullptr;
  tooltipShown = false;
  tooltipIndex = -1;
}

void IGraphicsWin::SetTooltipText(const char* text)
{
  if (!tooltipWindow)
    return;
  std::string buffer = text ? text : "";
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = editorWindow;
  tool.uId = reinterpret_cast<UINT_PTR>(editorWindow);
  tool.lpszText = buffer.data();
  SendMessageA(tooltipWindow, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void IGraphicsWin::HideTooltip()
{
  if (!tooltipShown)
    return;
  SetTooltipText("");
  tooltipShown = false;
}
