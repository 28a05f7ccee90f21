#include "tools/pluginhost/win32/WindowEditor.h"

#include <windows.h>

#include <array>
#include <cstring>

namespace
{

constexpr const char* kFrameClass = "QuillwaveHostFrame";
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW;
// The editor's redraw timer (its window host sets timer 2).
constexpr UINT_PTR kRedrawTimer = 2;

HWND Handle(void* window)
{
  return static_cast<HWND>(window);
}

// The frame window class, registered on first use and unregistered when the process ends.
class FrameClass
{
public:
  static bool Ensure()
  {
    static FrameClass registration;
    return registration.atom != 0;
  }

private:
  FrameClass()
  {
    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    description.lpfnWndProc = DefWindowProcA;
    description.hInstance = GetModuleHandleA(nullptr);
    description.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    // A system colour brush: no GDI object of the host's own.
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    description.lpszClassName = kFrameClass;
    atom = RegisterClassExA(&description);
  }
  ~FrameClass()
  {
    if (atom)
      UnregisterClassA(kFrameClass, GetModuleHandleA(nullptr));
  }
  ATOM atom = 0;
};

// Screen places for the windows open at once; a third one shares the first place.
std::array<bool, 2> slotsInUse{};

int TakeSlot()
{
  for (size_t i = 0; i < slotsInUse.size(); ++i)
  {
    if (!slotsInUse[i])
    {
      slotsInUse[i] = true;
      return static_cast<int>(i);
    }
  }
  return -1;
}

LPARAM Position(int x, int y)
{
  return static_cast<LPARAM>((static_cast<uint32_t>(y & 0xFFFF) << 16) |
                             static_cast<uint32_t>(x & 0xFFFF));
}

// The button a press, drag or release is made with.
uint32_t ButtonOf(uint32_t modifiers)
{
  return (modifiers & WindowEditor::kRight) ? WindowEditor::kRight : WindowEditor::kLeft;
}

WPARAM KeyState(uint32_t modifiers)
{
  WPARAM keys = 0;
  if (modifiers & WindowEditor::kLeft)
    keys |= MK_LBUTTON;
  if (modifiers & WindowEditor::kRight)
    keys |= MK_RBUTTON;
  if (modifiers & WindowEditor::kShift)
    keys |= MK_SHIFT;
  if (modifiers & WindowEditor::kControl)
    keys |= MK_CONTROL;
  return keys;
}

// The GDI resources of one capture, released in reverse order.
class WindowDc
{
public:
  explicit WindowDc(HWND window) : window(window), dc(GetDC(window)) {}
  ~WindowDc()
  {
    if (dc)
      ReleaseDC(window, dc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc; }

private:
  HWND window;
  HDC dc;
};

class MemoryDc
{
public:
  explicit MemoryDc(HDC compatible) : dc(CreateCompatibleDC(compatible)) {}
  ~MemoryDc()
  {
    if (dc)
      DeleteDC(dc);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return dc; }

private:
  HDC dc;
};

class GdiBitmap
{
public:
  explicit GdiBitmap(HBITMAP bitmap) : bitmap(bitmap) {}
  ~GdiBitmap()
  {
    if (bitmap)
      DeleteObject(bitmap);
  }
  GdiBitmap(const GdiBitmap&) = delete;
  GdiBitmap& operator=(const GdiBitmap&) = delete;
  HBITMAP Get() const { return bitmap; }

private:
  HBITMAP bitmap;
};

class Selection
{
public:
  Selection(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
  ~Selection()
  {
    if (previous)
      SelectObject(dc, previous);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  bool Selected() const { return previous != nullptr; }

private:
  HDC dc;
  HGDIOBJ previous;
};

}  // namespace

WindowEditor::WindowEditor(int reportedWidth, int reportedHeight, std::function<void()> idle)
    : reportedWidth(reportedWidth), reportedHeight(reportedHeight), idle(std::move(idle))
{
  if (!FrameClass::Ensure())
    return;
  RECT outer{0, 0, reportedWidth, reportedHeight};
  AdjustWindowRectEx(&outer, kFrameStyle, FALSE, 0);
  slot = TakeSlot();
  const int x = 20 + (slot < 0 ? 0 : slot) * (outer.right - outer.left + 20);
  HWND window = CreateWindowExA(0, kFrameClass, "Quillwave test host", kFrameStyle, x, 20,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window)
    return;
  frame = window;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  // No idle call yet: the editor is not open.
  DispatchQueued();
}

WindowEditor::~WindowEditor()
{
  if (frame && IsWindow(Handle(frame)))
    DestroyWindow(Handle(frame));
  if (slot >= 0)
    slotsInUse[static_cast<size_t>(slot)] = false;
}

bool WindowEditor::FindEditorWindow()
{
  editor = frame ? FindWindowExA(Handle(frame), nullptr, kEditorClass, nullptr) : nullptr;
  return editor != nullptr;
}

bool WindowEditor::IsOpen() const
{
  return editor && IsWindow(Handle(editor));
}

int WindowEditor::Width() const
{
  RECT client{};
  return IsOpen() && GetClientRect(Handle(editor), &client) ? client.right - client.left : 0;
}

int WindowEditor::Height() const
{
  RECT client{};
  return IsOpen() && GetClientRect(Handle(editor), &client) ? client.bottom - client.top : 0;
}

bool WindowEditor::Send(unsigned message, uint32_t keys, int x, int y)
{
  if (!IsOpen() || !PostMessageA(Handle(editor), message, KeyState(keys), Position(x, y)))
    return false;
  Pump();
  return true;
}

bool WindowEditor::Press(int x, int y, uint32_t modifiers)
{
  const uint32_t button = ButtonOf(modifiers);
  return Send(button == kRight ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, modifiers | button, x, y);
}

bool WindowEditor::Drag(int x, int y, uint32_t modifiers)
{
  return Send(WM_MOUSEMOVE, modifiers | ButtonOf(modifiers), x, y);
}

bool WindowEditor::Release(int x, int y, uint32_t modifiers)
{
  // As Windows reports a release: the released button is no longer down.
  const uint32_t button = ButtonOf(modifiers);
  return Send(button == kRight ? WM_RBUTTONUP : WM_LBUTTONUP, modifiers & ~button, x, y);
}

bool WindowEditor::Click(int x, int y, uint32_t modifiers)
{
  return Press(x, y, modifiers) && Release(x, y, modifiers);
}

void WindowEditor::DispatchQueued()
{
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
  {
    if (message.message == WM_TIMER && message.wParam == kRedrawTimer && editor &&
        message.hwnd == Handle(editor))
      ++ticks;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void WindowEditor::Pump()
{
  DispatchQueued();
  if (idle)
    idle();
}

bool WindowEditor::WaitForRedraw(int timeoutMs)
{
  Pump();
  const uint64_t wanted = ticks + 1;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  while (ticks < wanted)
  {
    const ULONGLONG now = GetTickCount64();
    if (!IsOpen() || now >= deadline)
      return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    Pump();
  }
  return true;
}

bool WindowEditor::Capture(std::vector<uint32_t>& pixels)
{
  const int width = Width();
  const int height = Height();
  if (width <= 0 || height <= 0)
    return false;
  const WindowDc screen(Handle(editor));
  if (!screen.Get())
    return false;
  const MemoryDc memory(screen.Get());
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;  // rows top-down
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const GdiBitmap copy(CreateDIBSection(screen.Get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory.Get() || !copy.Get() || !bits)
    return false;
  const Selection selected(memory.Get(), copy.Get());
  if (!selected.Selected() ||
      !BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY))
    return false;
  GdiFlush();
  pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  std::memcpy(pixels.data(), bits, pixels.size() * sizeof(uint32_t));
  // The screen has no alpha channel.
  for (uint32_t& pixel : pixels)
    pixel |= 0xFF000000u;
  return true;
}
