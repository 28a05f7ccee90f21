#pragma once

#include "TestEditorBase.h"

#include "graphics/win32/IGraphicsWin.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// A real top-level window, as a host's, that the editor opens in. It records
// the keys that reach it.
class TestHostWindow
{
public:
  struct Key
  {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };

  TestHostWindow(int width = 640, int height = 560)
  {
    static const ATOM windowClass = Register();
    (void)windowClass;
    window =
        CreateWindowExA(0, kClassName, "Quillwave test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                        0, width, height, nullptr, nullptr, GetModuleHandleA(nullptr), this);
  }
  ~TestHostWindow()
  {
    if (window && IsWindow(window))
      DestroyWindow(window);
  }
  TestHostWindow(const TestHostWindow&) = delete;
  TestHostWindow& operator=(const TestHostWindow&) = delete;

  HWND Handle() const { return window; }
  // Destroys the window now, as a host closing its frame.
  void Destroy()
  {
    DestroyWindow(window);
    window = nullptr;
  }

  std::vector<Key> keys;

private:
  static constexpr const char* kClassName = "QuillwaveTestHost";

  static ATOM Register()
  {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    return RegisterClassA(&windowClass);
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
  {
    if (message == WM_NCCREATE)
    {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestHostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && (message == WM_KEYDOWN || message == WM_KEYUP))
    {
      self->keys.push_back({message, wParam, lParam});
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  HWND window = nullptr;
};

// One host window for the tests that leave it as it is: under Wine without
// a window manager, destroying a shown top-level window waits two seconds
// for a manager to withdraw it. Its key log starts empty on every call.
inline TestHostWindow& SharedHostWindow()
{
  static TestHostWindow host;
  host.keys.clear();
  return host;
}

// The test editor on the Windows window host, on the test program's module.
struct WinTestEditor : TestEditorBase<IGraphicsWin>
{
  explicit WinTestEditor(PluginApi api = PluginApi::VST2)
      : TestEditorBase(api, GetModuleHandleA(nullptr))
  {
  }

  HWND Open(const TestHostWindow& host)
  {
    return static_cast<HWND>(graphics->OpenWindow(host.Handle()));
  }
  HWND Window() const { return static_cast<HWND>(graphics->WindowHandle()); }

  // Window messages as the system would deliver them, synchronously.
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
  {
    return SendMessageA(Window(), message, wParam, lParam);
  }
  void Tick() const { Send(WM_TIMER, 2); }
  void Press(int x, int y) const { Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
  void Drag(int x, int y) const { Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
  void Release(int x, int y) const { Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
};

// Runs `answer` on the first dialog window (class "#32770") of this thread
// that appears while a modal call blocks, from a thread timer that the
// dialog's own message loop dispatches.
class DialogAnswer
{
public:
  explicit DialogAnswer(void (*answer)(HWND dialog, void* context), void* context = nullptr)
  {
    current = this;
    this->answer = answer;
    this->context = context;
    timer = SetTimer(nullptr, 0, 50, &OnTimer);
  }
  ~DialogAnswer()
  {
    KillTimer(nullptr, timer);
    current = nullptr;
  }
  DialogAnswer(const DialogAnswer&) = delete;
  DialogAnswer& operator=(const DialogAnswer&) = delete;

  bool Answered() const { return answered; }

private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
  {
    DialogAnswer* self = current;
    if (!self)
      return;
    // A dialog the answer did not close is cancelled, so that the test
    // fails instead of hanging.
    if (self->answered)
    {
      if (++self->ticksSinceAnswer == kGiveUpTicks && IsWindow(self->dialog))
        PostMessageA(self->dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&self->dialog));
    if (!self->dialog)
      return;
    self->answered = true;
    self->answer(self->dialog, self->context);
  }

  static BOOL CALLBACK FindDialog(HWND window, LPARAM found)
  {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(window))
      return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }

  static inline DialogAnswer* current = nullptr;
  void (*answer)(HWND, void*) = nullptr;
  void* context = nullptr;
  static constexpr int kGiveUpTicks = 60;
  UINT_PTR timer = 0;
  HWND dialog = nullptr;
  bool answered = false;
  int ticksSinceAnswer = 0;
};

// Processes what is queued for this thread.
inline void PumpMessages()
{
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
  {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
