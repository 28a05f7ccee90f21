#pragma once

#include "graphics/linux/IEditorEventSource.h"
#include "graphics/linux/IGraphicsOffscreen.h"
#include "graphics/linux/X11InputMapping.h"

#include <chrono>
#include <memory>

class X11EditorWindow;
struct X11EditorEvent;

// The Linux editor host. Opened with an off-screen parent record (or none)
// it is the off-screen host it derives from; opened with an X11 window id it
// opens the editor as a child window of that window, on its own X
// connection, maps X events the way the Windows host maps window messages,
// and copies the composed bitmap's dirty areas to the window. The host's run
// loop or idle call drives it through IEditorEventSource.
class IGraphicsLinux : public IGraphicsOffscreen, public IEditorEventSource
{
public:
  IGraphicsLinux(IEffectBase* plugin, int width, int height, int framesPerSecond,
                 RasterModuleHandle module);
  ~IGraphicsLinux() override;

  // Also copies the area into the X11 window when there is one.
  bool DrawScreen(const IRectangle& rect) override;
  const char* DrawSystemName() override;
  // In an X11 window: our own popup menu (X11PopupMenu), run to its end.
  IMenu* ShowPopupMenu(IMenu& menu, const IRectangle& rect) override;
  // `parent`: null or an off-screen parent record as for the off-screen
  // host, else an X11 window id; anything that is neither (no window on
  // the display) leaves the editor closed and returns null. For a window
  // the handle returned is the editor's own window id.
  void* OpenWindow(void* parent) override;
  void CloseWindow() override;
  void* WindowHandle() override;
  void HideCursor() override;
  void ShowCursor() override;

  int EventDescriptor() override;
  void ProcessEvents() override;
  void TimerTick() override;
  int TimerPeriodMs() override;
  void Idle() override;

private:
  void Dispatch(const X11EditorEvent& event);
  void ButtonPress(const X11EditorEvent& event);
  void Motion(const X11EditorEvent& event);
  void KeyPress(const X11EditorEvent& event);

  std::unique_ptr<X11EditorWindow> window;
  DoubleClickDetector doubleClick;
  // The exposed area collected until the last expose of a series.
  IRectangle exposed;
  std::chrono::steady_clock::time_point lastIdleTick;
};
