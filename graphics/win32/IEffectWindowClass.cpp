#include "graphics/win32/IEffectWindowClass.h"

#include <algorithm>
#include <atomic>
#include <mutex>

const char kEditorWindowClass[] = "IEffectWndClass";

namespace
{

constexpr int kDefaultFramesPerSecond = 25;

std::mutex classLock;
int classUsers = 0;
std::atomic<int> redrawRate{kDefaultFramesPerSecond};

void RegisterEditorClass(HINSTANCE module, WNDPROC procedure)
{
  WNDCLASSA windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = module;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.lpszClassName = kEditorWindowClass;
  if (RegisterClassA(&windowClass) || GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return;
  // No editor window of ours exists, so the registered class is a stale one.
  UnregisterClassA(kEditorWindowClass, module);
  RegisterClassA(&windowClass);
}

}  // namespace

void AcquireEditorWindowClass(HINSTANCE module, WNDPROC procedure)
{
  const std::lock_guard<std::mutex> lock(classLock);
  if (classUsers == 0)
    RegisterEditorClass(module, procedure);
  ++classUsers;
}

void ReleaseEditorWindowClass(HINSTANCE module)
{
  const std::lock_guard<std::mutex> lock(classLock);
  if (classUsers <= 0)
    return;
  if (--classUsers == 0)
    UnregisterClassA(kEditorWindowClass, module);
}

int EditorWindowClassUsers()
{
  const std::lock_guard<std::mutex> lock(classLock);
  return classUsers;
}

void SetEditorRedrawRate(int framesPerSecond)
{
  redrawRate.store(framesPerSecond);
}

UINT EditorRedrawPeriodMs()
{
  return RedrawTimerPeriodMs(redrawRate.load());
}

UINT RedrawTimerPeriodMs(int framesPerSecond)
{
  const int rate = std::clamp(framesPerSecond, 1, 1000);
  return static_cast<UINT>(1000.0 / rate);
}
