#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// A Windows host's editor window: a top-level window (WS_OVERLAPPEDWINDOW) whose client area
// has the size the module reported, in which the module opens its editor as a child window.
// Input reaches the editor as real window messages posted to that child window and
// dispatched by the host's message loop; what the editor shows is read back with BitBlt from
// the child window's device context. Window handles are HWNDs, kept as void* so that users
// of this header need no system headers. Everything runs on the thread that created the
// object, as a host's user-interface thread.
class WindowEditor
{
public:
  // Bits of a modifiers argument, as OffscreenEditor's.
  static constexpr uint32_t kLeft = 1;
  static constexpr uint32_t kRight = 2;
  static constexpr uint32_t kShift = 4;
  static constexpr uint32_t kControl = 8;

  // The window class of the editor a module opens.
  static constexpr const char* kEditorClass = "IEffectWndClass";

  // Creates and shows the top-level window; Created() says whether that worked. `idle` is
  // made after every pass of the message loop (empty for none).
  WindowEditor(int reportedWidth, int reportedHeight, std::function<void()> idle);
  WindowEditor(const WindowEditor&) = delete;
  WindowEditor& operator=(const WindowEditor&) = delete;
  ~WindowEditor();

  bool Created() const { return frame != nullptr; }
  // The top-level window, and the module's editor window in it (null until
  // FindEditorWindow has found it).
  void* FrameWindow() const { return frame; }
  void* EditorWindow() const { return editor; }
  // Looks for a child window of the editor class in the top-level window.
  bool FindEditorWindow();
  // Whether the editor window exists.
  bool IsOpen() const;

  int ReportedWidth() const { return reportedWidth; }
  int ReportedHeight() const { return reportedHeight; }
  // The editor window's client size; 0 while closed.
  int Width() const;
  int Height() const;

  // Mouse input at editor coordinates, dispatched before the call returns. The button is the
  // one in `modifiers` (kLeft unless kRight is given). False when the editor is closed.
  bool Press(int x, int y, uint32_t modifiers = 0);
  bool Drag(int x, int y, uint32_t modifiers = 0);
  bool Release(int x, int y, uint32_t modifiers = 0);
  bool Click(int x, int y, uint32_t modifiers = 0);

  // Dispatches every message queued for this thread, then makes the idle call.
  void Pump();
  // Pumps until the editor's redraw timer has ticked once more, so that whatever changed
  // before the call has been drawn; false when no tick came within `timeoutMs`.
  bool WaitForRedraw(int timeoutMs = 2000);
  // What the editor window shows: Width() × Height() words, red in bits 16 to 23 and 0xFF
  // in the alpha byte, rows top-down. False while closed or when the copy fails.
  bool Capture(std::vector<uint32_t>& pixels);

private:
  // Posts the message to the editor window and pumps.
  bool Send(unsigned message, uint32_t keys, int x, int y);
  void DispatchQueued();

  void* frame = nullptr;
  void* editor = nullptr;
  const int reportedWidth;
  const int reportedHeight;
  std::function<void()> idle;
  // Redraw timer messages dispatched to the editor window.
  uint64_t ticks = 0;
  // Where on the screen the window sits: two editors open at once lie side by side.
  int slot = -1;
};
