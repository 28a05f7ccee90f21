#pragma once

#include "graphics/IGraphics.h"
#include "graphics/win32/WinApi.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

class IControl;
class IParameter;

// Where an in-place text entry stands. The entry procedure and the window
// procedure only set the state; the next redraw tick carries it out.
enum class ITextEntryState : int32_t
{
  None = 0,
  Editing = 1,  // the entry has the focus
  Update = 2,   // a redraw happened while the entry was open
  Cancel = 3,
  Commit = 4,
};

// The Windows editor host: the editor as a child window of the host's
// window. Window messages become the graphics core's mouse and key calls, a
// timer at the frame rate redraws what became dirty, WM_PAINT copies the
// draw bitmap to the window, and the platform services (text entry, popup
// menus, tooltips, dialogs, message boxes, folders, clipboard, cursor,
// image resources) use the Win32 interfaces. Everything runs on the host's
// user-interface thread.
class IGraphicsWin : public IGraphics
{
public:
  // Windows, the window class and image resources belong to `moduleInstance`.
  IGraphicsWin(IEffectBase* plugin, int width, int height, int framesPerSecond,
               HINSTANCE moduleInstance);
  ~IGraphicsWin() override;

  // Copies the area of the draw bitmap into the window between BeginPaint
  // and EndPaint.
  bool DrawScreen(const IRectangle& rect) override;
  void EndTextEntry() override;
  // Also grows the open window (and, in VST2 hosts, the host's child windows
  // around it) by the change in size.
  void Resize(int width, int height) override;
  const char* DrawSystemName() override;
  // Owned by the host's main window.
  int ShowMessageBox(const char* text, const char* caption, int type) override;
  IMenu* ShowPopupMenu(IMenu& menu, const IRectangle& rect) override;
  // An EDIT child window over `rect`; nothing when the editor is closed or
  // an entry runs already.
  void CreateTextEntry(IControl* control, const ITextStyle& style, const IRectangle& rect,
                       const char* text, const IParameter* parameter) override;
  void HostPath(std::string& path) override;
  void PluginPath(std::string& path) override;
  void DesktopPath(std::string& path) override;
  void AppDataPath(std::string& path, bool system) override;
  void PromptForFile(std::string& file, IFileAction action, std::string& folder,
                     const char* extensions) override;
  bool PromptForColour(IColour& colour, const char* prompt) override;
  bool OpenUrl(const char* url, const char* caption, const char* confirmText,
               const char* errorText) override;
  // `parent` is the host's HWND. An open editor window is closed first and
  // the new one takes its place and size.
  void* OpenWindow(void* parent) override;
  void CloseWindow() override;
  void* WindowHandle() override;
  // The text as UTF-8.
  bool TextFromClipboard(std::string& text) override;
  void HideCursor() override;
  void ShowCursor() override;
  std::unique_ptr<RasterBitmap> LoadOsBitmap(int resourceId, const char* name) override;

  HINSTANCE ModuleInstance() const { return moduleInstance; }
  HWND TextEntryWindow() const { return entryWindow; }
  ITextEntryState TextEntryState() const { return entryState; }
  HWND TooltipWindow() const { return tooltipWindow; }

private:
  struct FontDeleter
  {
    void operator()(HFONT font) const { DeleteObject(font); }
  };
  using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EntryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleEntryMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMouseMove(WPARAM wParam, LPARAM lParam);
  LRESULT ForwardToRootWindow(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  // The redraw timer: carries out a pending text entry state, or redraws.
  void Tick();

  // Reads the entry's text, closes the entry and hands the text over.
  void CommitTextEntry();
  // Closes the entry without a value, restoring the EDIT procedure first.
  void DestroyTextEntry();
  // Clears the entry's handles and state (its window is gone).
  void ForgetTextEntry();

  void CreateTooltip();
  void DestroyTooltip();
  void SetTooltipText(const char* text);
  void HideTooltip();

  // The window went away without CloseWindow (its parent was destroyed).
  void WindowDestroyed();
  void ReleaseWindowClass();

  // The host's top-level window, found from the parent window or by the
  // class name remembered from it; null when unknown.
  HWND MainWindow();
  static BOOL CALLBACK MatchMainWindow(HWND window, LPARAM self);

  HINSTANCE moduleInstance;
  HWND editorWindow = nullptr;
  HWND entryWindow = nullptr;
  HWND tooltipWindow = nullptr;
  IControl* entryControl = nullptr;
  const IParameter* entryParameter = nullptr;
  WNDPROC entrySavedProc = nullptr;
  ITextEntryState entryState = ITextEntryState::None;
  FontHandle entryFont;
  bool tooltipShown = false;
  int32_t tooltipIndex = -1;
  // Whether this editor is counted among the users of the window class.
  bool holdsWindowClass = false;
  std::unique_ptr<std::array<COLORREF, 16>> customColours;
  DWORD processId;
  HWND parentWindow = nullptr;
  HWND mainWindow = nullptr;
  std::string mainWindowClass;
  bool cursorHidden = false;
  POINT savedCursor{-1, -1};
};
