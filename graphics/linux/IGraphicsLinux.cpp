#include "graphics/linux/IGraphicsLinux.h"

#include "graphics/linux/IOffscreenParentProbe.h"
#include "graphics/linux/X11EditorWindow.h"
#include "graphics/linux/X11PopupMenu.h"
#include "raster/RasterSysBitmap.h"

#include <cstdint>

namespace {

// X resource ids have their top three bits clear; a larger value cannot
// name a window.
constexpr uintptr_t kLargestResourceId = 0x1FFFFFFF;

constexpr int kDefaultTimerPeriodMs = 40;

}  // namespace

IEditorEventSource* EditorEventSource(IGraphics* editor)
{
  return dynamic_cast<IGraphicsLinux*>(editor);
}

IGraphicsLinux::IGraphicsLinux(IEffectBase* plugin, int width, int height, int framesPerSecond,
                               RasterModuleHandle module)
    : IGraphicsOffscreen(plugin, width, height, framesPerSecond, module)
{
}

IGraphicsLinux::~IGraphicsLinux()
{
  CloseWindow();
}

bool IGraphicsLinux::DrawScreen(const IRectangle& rect)
{
  IGraphicsOffscreen::DrawScreen(rect);
  if (window && GetDrawBitmap())
  {
    window->Put(*GetDrawBitmap(), rect);
    window->Flush();
  }
  return true;
}

const char* IGraphicsLinux::DrawSystemName()
{
  return window ? "X11" : IGraphicsOffscreen::DrawSystemName();
}

IMenu* IGraphicsLinux::ShowPopupMenu(IMenu& menu, const IRectangle& rect)
{
  if (!window)
    return IGraphicsOffscreen::ShowPopupMenu(menu, rect);
  ReleaseMouseCapture();
  X11PopupMenu popup(*window, [this](const X11EditorEvent& event) { Dispatch(event); });
  IMenu* const chosen = popup.Run(menu, rect);
  // The menu covered the editor.
  Invalidate({0, 0, Width(), Height()});
  return chosen;
}

void* IGraphicsLinux::OpenWindow(void* parent)
{
  CloseWindow();
  // The record is told apart safely first; whatever else fits an X id is
  // asked of the server, which refuses an id that is no window.
  if (!parent || ProbeOffscreenParent(parent))
    return IGraphicsOffscreen::OpenWindow(parent);
  const auto id = reinterpret_cast<uintptr_t>(parent);
  if (id > kLargestResourceId)
    return nullptr;
  window = X11EditorWindow::Open(static_cast<uint32_t>(id), Width(), Height());
  if (!window)
    return nullptr;
  doubleClick.Reset();
  exposed = {};
  MarkAllControlsDirty();
  return WindowHandle();
}

void IGraphicsLinux::CloseWindow()
{
  if (!window)
  {
    IGraphicsOffscreen::CloseWindow();
    return;
  }
  ShowCursor();
  window.reset();
}

void* IGraphicsLinux::WindowHandle()
{
  if (!window)
    return IGraphicsOffscreen::WindowHandle();
  return reinterpret_cast<void*>(static_cast<uintptr_t>(window->Id()));
}

void IGraphicsLinux::HideCursor()
{
  if (window)
    window->HideCursor();
}

void IGraphicsLinux::ShowCursor()
{
  if (window)
    window->ShowCursor();
}

int IGraphicsLinux::EventDescriptor()
{
  return window ? window->Descriptor() : -1;
}

void IGraphicsLinux::ProcessEvents()
{
  X11EditorEvent event;
  // A handler may close the window; the loop then ends.
  while (window && window->NextEvent(event))
    Dispatch(event);
  if (window)
    window->Flush();
}

void IGraphicsLinux::TimerTick()
{
  // Events xcb read while waiting for a reply leave the socket quiet, so
  // the timer handles what is queued as well.
  ProcessEvents();
  if (!window || !window->Usable())
    return;
  Tick();
  window->Flush();
}

int IGraphicsLinux::TimerPeriodMs()
{
  const int fps = FramesPerSecond();
  return fps > 0 ? static_cast<int>(1000.0 / fps) : kDefaultTimerPeriodMs;
}

void IGraphicsLinux::Idle()
{
  ProcessEvents();
  const auto now = std::chrono::steady_clock::now();
  if (now - lastIdleTick < std::chrono::milliseconds(TimerPeriodMs()))
    return;
  lastIdleTick = now;
  TimerTick();
}

void IGraphicsLinux::Dispatch(const X11EditorEvent& event)
{
  using Kind = X11EditorEvent::Kind;
  switch (event.kind)
  {
    case Kind::Expose:
      exposed = exposed.Union(event.area);
      if (event.last)
      {
        const IRectangle area = exposed;
        exposed = {};
        DrawDirty(area);
      }
      break;
    case Kind::ButtonPress:
      ButtonPress(event);
      break;
    case Kind::ButtonRelease:
      if (event.button == kX11LeftButton || event.button == kX11RightButton)
        OnMouseUp(event.x, event.y, MouseModifiersFromState(event.state, 0, event.button));
      break;
    case Kind::Motion:
      Motion(event);
      break;
    case Kind::KeyPress:
      KeyPress(event);
      break;
    case Kind::KeyRelease:
      window->ForwardKey(event);
      break;
    case Kind::PointerLeft:
      OnMouseOut();
      break;
    case Kind::FocusIn:
    case Kind::FocusOut:
      break;
    case Kind::WindowGone:
      // The parent went first and took the window with it. The connection
      // stays until the host closes the editor, so the descriptor its run
      // loop watches stays ours.
      ShowCursor();
      break;
  }
}

void IGraphicsLinux::ButtonPress(const X11EditorEvent& event)
{
  const IMouseModifiers modifiers = MouseModifiersFromState(event.state, event.button, 0);
  const int steps = WheelStepsForButton(event.button);
  if (steps != 0)
  {
    OnMouseWheel(event.x, event.y, modifiers, steps);
    return;
  }
  if (event.button == kX11LeftButton && doubleClick.Press(event.x, event.y, event.time))
  {
    // The press that completes a double click is the double click, as on
    // Windows; the pointer stays grabbed until its release either way.
    OnMouseDoubleClick(event.x, event.y, modifiers);
    return;
  }
  if (event.button != kX11LeftButton)
    doubleClick.Reset();
  OnMouseDown(event.x, event.y, modifiers);
}

void IGraphicsLinux::Motion(const X11EditorEvent& event)
{
  const IMouseModifiers modifiers = MouseModifiersFromState(event.state, 0, 0);
  if (!(modifiers.left || modifiers.right))
  {
    OnMouseOver(event.x, event.y, modifiers);
    return;
  }
  if (GetMouseCapture() < 0 || (event.x == GetLastMouseX() && event.y == GetLastMouseY()))
    return;
  const int dx = event.x - GetLastMouseX();
  const int dy = event.y - GetLastMouseY();
  SetLastMousePosition(event.x, event.y);
  OnMouseDrag(event.x, event.y, dx, dy, modifiers);
}

void IGraphicsLinux::KeyPress(const X11EditorEvent& event)
{
  const int key = KeyCodeForKeysym(event.keysym);
  if (key >= 0 && OnKeyDown(event.x, event.y, key))
    return;
  window->ForwardKey(event);
}
