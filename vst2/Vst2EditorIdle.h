#pragma once

class IPluginEditor;

// What effEditIdle does for an open editor on this platform: on Linux the
// editor's X11 window has no timer of its own, so each idle call handles its
// waiting events and runs its redraw timer once the period has passed; on
// Windows the window's own timer runs it and idle does nothing.
void IdleEditorWindow(IPluginEditor& editor);
