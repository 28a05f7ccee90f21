#pragma once

#include "framework/linux/IEditorEventSource.h"
#include "graphics/ITextStyle.h"
#include "graphics/linux/EntryLine.h"
#include "graphics/linux/IGraphicsOffscreen.h"
#include "graphics/linux/X11InputMapping.h"

#include <chrono>
#include <memory>
#include <vector>

class DesktopFileDialog;
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
  // In an X11 window: an entry drawn over `rect` inside the editor, with
  // the keyboard focus taken (XSetInputFocus) while it runs and given back
  // to the parent after. Enter commits and Escape cancels at the next timer
  // tick; a press on the editor cancels it while it has the focus and
  // commits it once the focus went elsewhere. Nothing when the editor is
  // closed or an entry runs already.
  void CreateTextEntry(IControl* control, const ITextStyle& style, const IRectangle& rect,
                       const char* text, const IParameter* parameter) override;
  void EndTextEntry() override;
  // In an X11 window: our own message box (X11MessageBox).
  int ShowMessageBox(const char* text, const char* caption, int type) override;
  // In an X11 window: the desktop's file dialog as a child process
  // (DesktopFileDialog), whose answer the timer collects; with no such
  // program a message box says so and the prompt is cancelled. One dialog
  // at a time: a second prompt meanwhile is cancelled.
  bool PromptForFileLater(IFileSelectorControl& selector) override;
  // In an X11 window: xdg-open, after the confirmation, if one is asked.
  bool OpenUrl(const char* url, const char* caption, const char* confirmText,
               const char* errorText) override;
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

  // Whether an in-place entry runs, and its text.
  bool TextEntryRuns() const { return entry != nullptr; }
  std::string TextEntryText() const;

private:
  enum class EntryState
  {
    Editing,  // the entry has the keyboard focus
    Cancel,
    Commit,
  };
  struct TextEntry
  {
    IControl* control;
    const IParameter* parameter;
    ITextStyle style;
    IRectangle rect;
    EntryLine line;
    EntryState state;
  };

  void Dispatch(const X11EditorEvent& event);
  void ButtonPress(const X11EditorEvent& event);
  void Motion(const X11EditorEvent& event);
  void KeyPress(const X11EditorEvent& event);
  void EntryKey(const X11EditorEvent& event);
  // The entry's box, drawn into the draw bitmap and copied to the window.
  void DrawEntry();
  // The area an entry over `rect` covers, as large as the Windows host's
  // EDIT window over the same rectangle.
  static IRectangle EntryBox(const IRectangle& rect);
  // Closes the entry (the keyboard focus goes back to the parent, the
  // controls under it are drawn again) and with `commit` hands its text on.
  void FinishEntry(bool commit);
  // Copies the area to the window without the entry's drawing.
  void PutArea(const IRectangle& rect);
  // Hands a finished file dialog's answer to its selector.
  void CollectFileDialog();
  // Ends a running file dialog; with `notify` its selector hears a cancel.
  void EndFileDialog(bool notify);
  // Collects launched programs (xdg-open) that ended.
  void ReapLaunched();

  std::unique_ptr<X11EditorWindow> window;
  std::unique_ptr<TextEntry> entry;
  std::unique_ptr<DesktopFileDialog> fileDialog;
  IFileSelectorControl* dialogSelector = nullptr;
  std::vector<int> launched;
  DoubleClickDetector doubleClick;
  // The exposed area collected until the last expose of a series.
  IRectangle exposed;
  std::chrono::steady_clock::time_point lastIdleTick;
};
