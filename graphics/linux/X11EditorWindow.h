#pragma once

#include "graphics/IRectangle.h"

#include <cstdint>
#include <memory>
#include <vector>

class RasterBitmap;

// What happened on the editor's X connection, in the terms the window host
// needs; the X protocol stays inside X11EditorWindow.cpp.
struct X11EditorEvent
{
  enum class Kind
  {
    Expose,       // `area` needs drawing; `last` on the final one of a series
    ButtonPress,  // `button`, `x`, `y`, `state`, `time`
    ButtonRelease,
    Motion,    // `x`, `y`, `state`
    KeyPress,  // `keysym`, `state`
    KeyRelease,
    PointerLeft,
    FocusIn,     // the window got the keyboard focus (X or XEmbed)
    FocusOut,    // ... and lost it
    WindowGone,  // the window was destroyed under us (its parent went first)
  };
  Kind kind = Kind::Expose;
  // The window the event is for: the editor's or one of its popups.
  uint32_t window = 0;
  IRectangle area;
  bool last = true;
  int button = 0;
  int x = 0;
  int y = 0;
  // The pointer on the screen, for pointer and key events.
  int rootX = 0;
  int rootY = 0;
  uint32_t state = 0;
  uint32_t time = 0;
  uint32_t keysym = 0;
  // The keysym the key gives with Shift (the row's second column), 0 for none.
  uint32_t shiftedKeysym = 0;
};

// The editor's X11 window: a child of the host's window, on a connection of
// its own (never the host's), carrying _XEMBED_INFO with XEMBED_MAPPED so
// that XEmbed embedders show it, and mapped at once for those that know no
// XEmbed. Everything runs on the host's user-interface thread.
//
// Built on xcb rather than Xlib: xcb hands each request's error back to the
// caller, while Xlib sends errors to a process-wide handler whose default
// ends the process. A plug-in shares the host's process and must neither
// replace the host's handler nor die of a stale window id a host passes it.
class X11EditorWindow
{
public:
  // Opens a connection to $DISPLAY and a width × height window in `parent`.
  // Null when there is no display, `parent` is no window on it, or the
  // screen's pixel format is not 24-bit true colour in 32-bit pixels of the
  // machine's byte order (what every X server on x86 offers).
  static std::unique_ptr<X11EditorWindow> Open(uint32_t parent, int width, int height);
  // Destroys the window (unless it is gone already) and closes the connection.
  ~X11EditorWindow();
  X11EditorWindow(const X11EditorWindow&) = delete;
  X11EditorWindow& operator=(const X11EditorWindow&) = delete;

  uint32_t Id() const;
  uint32_t Parent() const;
  // The connection's file descriptor, for a host's poll.
  int Descriptor() const;
  // False once the window was destroyed under us or the connection broke.
  bool Usable() const;

  // The next event already received or waiting on the socket; false when
  // there is none. Never blocks.
  bool NextEvent(X11EditorEvent& event);
  // Waits up to `timeoutMs` for the next event; false when none came or the
  // connection broke.
  bool WaitEvent(X11EditorEvent& event, int timeoutMs);
  // Copies `area` of `bitmap` (same coordinates) into the window, or into
  // one of its popups.
  void Put(const RasterBitmap& bitmap, const IRectangle& area);
  void Put(uint32_t popup, const RasterBitmap& bitmap, const IRectangle& area);

  // A point of the editor on the screen, and the screen's size.
  void ToScreen(int x, int y, int& screenX, int& screenY);
  void ScreenSize(int& width, int& height) const;
  // A popup (an override-redirect window, so no window manager moves or
  // decorates it) at a point of the screen, mapped at once; 0 on failure.
  uint32_t OpenPopup(int x, int y, int width, int height);
  void ClosePopup(uint32_t popup);
  // Sends every pointer and key event to the popups while a menu runs;
  // false when another client holds the pointer or keyboard.
  bool GrabInput(uint32_t popup);
  void UngrabInput();
  // Sends what is queued to the server.
  void Flush();

  // The pointer in window coordinates; (0, 0) when unknown.
  void PointerPosition(int& x, int& y);
  // An empty cursor over the window, remembering where the pointer was;
  // ShowCursor moves it back there and restores the cursor.
  void HideCursor();
  void ShowCursor();

  // Takes the keyboard focus (asking an XEmbed embedder for it too) and
  // gives it back to the parent.
  void TakeFocus();
  void ReturnFocus();
  // Hands a key event the editor did not take to the parent window, so that
  // host shortcuts keep working.
  void ForwardKey(const X11EditorEvent& event);

private:
  struct Connection;
  explicit X11EditorWindow(std::unique_ptr<Connection> connection);

  std::unique_ptr<Connection> connection;
};
