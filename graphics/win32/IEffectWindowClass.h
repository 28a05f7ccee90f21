#pragma once

#include "graphics/win32/WinApi.h"

// The window class of editor windows, "IEffectWndClass", shared by every
// editor of the process: it is registered when the first editor window opens
// and unregistered when the last one closes. Also the process-wide redraw
// rate, which the editor being opened sets for the timer its window starts.

extern const char kEditorWindowClass[];

// Counts one more editor window, registering the class for the first
// (style CS_DBLCLKS, `procedure`, the arrow cursor, no background brush).
// A class left registered by an earlier load of the module at the same
// address is replaced, so that it cannot call into unloaded code. The window
// is counted even when registering fails, as the caller releases it when its
// window cannot be created.
void AcquireEditorWindowClass(HINSTANCE module, WNDPROC procedure);
// Counts one editor window less, unregistering the class after the last.
void ReleaseEditorWindowClass(HINSTANCE module);
// The number of editor windows counted.
int EditorWindowClassUsers();

void SetEditorRedrawRate(int framesPerSecond);
// The period of the redraw timer at the process-wide redraw rate.
UINT EditorRedrawPeriodMs();
// (int)(1000 / frames per second) ms, for rates limited to 1..1000.
UINT RedrawTimerPeriodMs(int framesPerSecond);
