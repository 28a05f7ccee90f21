// The editor window's procedure and its redraw timer.
#include "graphics/IControl.h"
#include "graphics/win32/IEffectWindowClass.h"
#include "graphics/win32/IGraphicsWin.h"
#include "graphics/win32/WinColour.h"
#include "graphics/win32/WinInputMapping.h"
#include "graphics/win32/WinRect.h"

#include <windowsx.h>

namespace
{

constexpr UINT_PTR kRedrawTimerId = 2;

IMouseModifiers Modifiers(WPARAM wParam)
{
  return MouseModifiersFromKeyState(wParam, GetKeyState(VK_MENU) < 0);
}

}  // namespace

LRESULT CALLBACK IGraphicsWin::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  if (message == WM_CREATE)
  {
    auto* graphics =
        static_cast<IGraphicsWin*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(graphics));
    if (graphics)
      graphics->editorWindow = window;
    SetTimer(window, kRedrawTimerId, EditorRedrawPeriodMs(), nullptr);
    SetFocus(window);
    return 0;
  }
  auto* graphics = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!graphics || graphics->editorWindow != window)
    return DefWindowProcA(window, message, wParam, lParam);
  return graphics->HandleMessage(message, wParam, lParam);
}

LRESULT IGraphicsWin::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
  const HWND window = editorWindow;
  if (message == WM_NCDESTROY)
  {
    WindowDestroyed();
    return DefWindowProcA(window, message, wParam, lParam);
  }
  // The entry's colours apply whenever it paints, focused or not.
  if (message == WM_CTLCOLOREDIT)
  {
    if (!entryControl)
      return 0;
    const ITextStyle& style = entryControl->GetTextStyle();
    const HDC dc = reinterpret_cast<HDC>(wParam);
    const COLORREF background = ToColourRef(style.entryBackground);
    SetBkColor(dc, background);
    SetTextColor(dc, ToColourRef(style.entryForeground));
    SetBkMode(dc, OPAQUE);
    // The entry's whole background, beyond the text cells too.
    SetDCBrushColor(dc, background);
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
  }
  // While the entry has the focus nothing is drawn and the timer rests; a
  // press on the editor cancels the entry. The release of the press that
  // opened the entry still frees the mouse and closes the host edit.
  if (entryWindow && entryState == ITextEntryState::Editing && message != WM_LBUTTONUP &&
      message != WM_RBUTTONUP)
  {
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)
    {
      entryState = ITextEntryState::Cancel;
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  switch (message)
  {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_CLOSE:
      CloseWindow();
      return 0;
    case WM_KEYDOWN:
    {
      const int key = KeyCodeForVirtualKey(wParam);
      if (key >= 0)
      {
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(window, &cursor);
        if (OnKeyDown(cursor.x, cursor.y, key))
          return 0;
      }
      return ForwardToRootWindow(message, wParam, lParam);
    }
    case WM_KEYUP:
      return ForwardToRootWindow(message, wParam, lParam);
    case WM_TIMER:
      if (wParam != kRedrawTimerId)
        break;
      Tick();
      return 0;
    case WM_MOUSEMOVE:
      return HandleMouseMove(wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      HideTooltip();
      if (entryWindow)
      {
        entryState = ITextEntryState::Commit;
        return 0;
      }
      SetFocus(window);
      SetCapture(window);
      OnMouseDown(x, y, Modifiers(wParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      ReleaseCapture();
      OnMouseUp(x, y, Modifiers(wParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      if (OnMouseDoubleClick(x, y, Modifiers(wParam)))
        SetCapture(window);
      return 0;
    case WM_MOUSEWHEEL:
    {
      if (entryWindow)
      {
        entryState = ITextEntryState::Cancel;
        return 0;
      }
      // The wheel reports screen coordinates.
      RECT bounds{};
      GetWindowRect(window, &bounds);
      OnMouseWheel(x - bounds.left, y - bounds.top, Modifiers(GET_KEYSTATE_WPARAM(wParam)),
                   WheelSteps(GET_WHEEL_DELTA_WPARAM(wParam)));
      return 0;
    }
    case WM_MOUSEHOVER:
      if (tooltipWindow && tooltipIndex >= 0)
      {
        const IControl* control = GetControl(tooltipIndex);
        SetTooltipText(control ? control->GetTooltip().c_str() : "");
        tooltipShown = true;
      }
      return 0;
    case WM_MOUSELEAVE:
      HideTooltip();
      OnMouseOut();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT IGraphicsWin::HandleMouseMove(WPARAM wParam, LPARAM lParam)
{
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  const IMouseModifiers modifiers = Modifiers(wParam);
  if (modifiers.left || modifiers.right)
  {
    if (GetCapture() == editorWindow && !entryWindow && GetMouseCapture() >= 0 &&
        (x != GetLastMouseX() || y != GetLastMouseY()))
    {
      const int dx = x - GetLastMouseX();
      const int dy = y - GetLastMouseY();
      SetLastMousePosition(x, y);
      OnMouseDrag(x, y, dx, dy, modifiers);
    }
    return 0;
  }
  if (!OnMouseOver(x, y, modifiers))
    return 0;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = editorWindow;
  track.dwHoverTime = HOVER_DEFAULT;
  if (TooltipsEnabled() && GetMouseOver() != tooltipIndex)
  {
    tooltipIndex = GetMouseOver();
    if (tooltipIndex >= 0)
      track.dwFlags |= TME_HOVER;
    HideTooltip();
  }
  TrackMouseEvent(&track);
  return 0;
}

LRESULT IGraphicsWin::ForwardToRootWindow(UINT message, WPARAM wParam, LPARAM lParam)
{
  // Host shortcuts keep working while the editor has the focus.
  const HWND root = GetAncestor(editorWindow, GA_ROOT);
  if (!root || root == editorWindow)
    return 0;
  return SendMessageA(root, message, wParam, lParam);
}

void IGraphicsWin::Paint()
{
  RECT area{};
  if (GetUpdateRect(editorWindow, &area, FALSE) && !IsRectEmpty(&area))
    DrawDirty(FromWinRect(area));
  // An editor without controls draws nothing; its area must still count as
  // painted, or WM_PAINT would come back at once.
  if (editorWindow && GetUpdateRect(editorWindow, nullptr, FALSE))
    ValidateRect(editorWindow, nullptr);
}

void IGraphicsWin::Tick()
{
  switch (entryState)
  {
    case ITextEntryState::Update:
      if (!entryWindow)
        break;
      entryState = ITextEntryState::None;
      return;
    case ITextEntryState::Commit:
      if (!entryWindow)
        break;
      CommitTextEntry();
      return;
    case ITextEntryState::Cancel:
      if (!entryWindow)
        break;
      DestroyTextEntry();
      return;
    case ITextEntryState::Editing:
      if (entryWindow)
        return;
      break;
    case ITextEntryState::None:
      break;
  }

  IRectangle dirty;
  if (!CollectDirty(dirty))
    return;
  const RECT area = ToWinRect(dirty);
  InvalidateRect(editorWindow, &area, FALSE);
  if (entryWindow)
  {
    // The entry window is painted by itself, not over by the editor.
    const RECT entryArea = ToWinRect(entryControl->GetRect());
    ValidateRect(editorWindow, &entryArea);
    UpdateWindow(editorWindow);
    entryState = ITextEntryState::Update;
    return;
  }
  UpdateWindow(editorWindow);
}
