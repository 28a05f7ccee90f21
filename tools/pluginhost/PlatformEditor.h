#pragma once

#include <functional>
#include <memory>
#include <string>

// The editor a host opens for a plug-in on this platform. On Linux it is an off-screen parent
// record (OffscreenEditor); on Windows a real top-level window that the editor opens in as a
// child window (WindowEditor). Tests and tools use the platform's class directly; the format
// code reaches it only through the functions below, defined once per platform
// (PlatformEditorLinux.cpp, win32/PlatformEditorWin.cpp).
#if defined(_WIN32)
#include "tools/pluginhost/win32/WindowEditor.h"
using PlatformEditor = WindowEditor;
#else
#include "tools/pluginhost/OffscreenEditor.h"
using PlatformEditor = OffscreenEditor;
#endif

namespace platformeditor
{

// The VST3 platform type of ParentHandle.
extern const char* const kVst3PlatformType;

// The host side for an editor of the size the module reported, or null with a reason.
// `idle` is the format's idle call (VST2 effEditIdle; empty for none), which a host with a
// message loop makes while the editor is open.
std::unique_ptr<PlatformEditor> Create(int reportedWidth, int reportedHeight,
                                       std::function<void()> idle, std::string& error);

// What the module opens its editor in: the ptr of effEditOpen, the parent of
// IPlugView::attached.
void* ParentHandle(PlatformEditor& editor);

// After the module reported that it opened: whether its editor really is in the parent.
bool Attached(PlatformEditor& editor);

}  // namespace platformeditor
