#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A Linux host's window for a plug-in editor: a top-level X11 window whose size is the one
// the module reported, in which the module opens its editor as a child window. Input reaches
// the editor as real device events injected through the XTEST extension; what the editor
// shows is read back from the server with XGetImage. Xlib is the host's library here (XTEST
// has no other client library on Debian); its errors are ignored instead of ending the process.
// All windows share one connection, opened with the first and kept for the process, as a
// host keeps its own (libXtst caches per-connection data that outlives a closed connection).
class X11HostWindow
{
public:
  // Opens $DISPLAY and maps the window at (x, 0) on the root window; Created() says whether
  // that worked (Error() says why not).
  X11HostWindow(int width, int height, int x = 0);
  X11HostWindow(const X11HostWindow&) = delete;
  X11HostWindow& operator=(const X11HostWindow&) = delete;
  ~X11HostWindow();

  bool Created() const { return window != 0; }
  const std::string& Error() const { return error; }
  // The window id, as a module receives it.
  unsigned long Id() const { return window; }
  void* Handle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(window)); }
  // The module's window inside ours, 0 when there is none.
  unsigned long EditorWindow();
  // The window that has the keyboard focus now; Focus gives it to the host window.
  unsigned long FocusWindow();
  void Focus();
  // Sends the editor window an XEmbed message (4 XEMBED_FOCUS_IN, 5 XEMBED_FOCUS_OUT...), as
  // an XEmbed embedder does.
  void SendXEmbed(long message);
  // The editor window's _XEMBED_INFO (version, flags); false when it has none.
  bool XEmbedInfo(uint32_t& version, uint32_t& flags);

  // The popup windows (mapped override-redirect windows on the root window) the module shows
  // now, such as the levels of a popup menu, in stacking order from the bottom.
  struct Popup
  {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
  };
  std::vector<Popup> Popups();
  // Waits up to `timeoutMs` until `count` popups are shown; false when they were not.
  bool WaitForPopups(size_t count, int timeoutMs = 3000);

  // Pointer input on the screen, and at editor coordinates; key input. Flushed to the server.
  void MoveToScreen(int x, int y);
  void MoveTo(int x, int y);
  void Button(int button, bool down);
  void Click(int x, int y, int button = 1);
  // Presses and releases the key of a keysym name such as "Return" or "a".
  void Key(const char* keysymName);

  // The editor window's pixels: red in bits 16 to 23, 0 in the top byte, rows top-down.
  bool Capture(std::vector<uint32_t>& pixels, int& width, int& height);
  // The same of an area of the screen, with whatever popups lie over it.
  bool CaptureScreen(int x, int y, int width, int height, std::vector<uint32_t>& pixels);

  // Destroys the window now, before the module was told (a host that tears down first). The
  // id stays, as a stale id a host might still pass.
  void Destroy();

private:
  struct _XDisplay* display = nullptr;
  unsigned long window = 0;
  bool destroyed = false;
  std::string error;
};
