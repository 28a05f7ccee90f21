#pragma once

#include "framework/IPluginEditor.h"

// What a Linux host drives while the editor is open in an X11 window: the
// editor's X connection, whose descriptor a host's run loop watches, and the
// redraw timer. VST3 hosts call these from their IRunLoop, VST2 hosts through
// effEditIdle. All of it runs on the host's user-interface thread.
class IEditorEventSource
{
public:
  // The descriptor to watch; -1 while the editor has no X11 window.
  virtual int EventDescriptor() = 0;
  // Handles every event waiting on the connection.
  virtual void ProcessEvents() = 0;
  // One tick of the redraw timer: text entry steps, finished dialogs, and
  // drawing what became dirty.
  virtual void TimerTick() = 0;
  // The timer's period: 1000 / frames per second, 40 ms at 25.
  virtual int TimerPeriodMs() = 0;
  // A host's idle call (VST2 effEditIdle), at whatever rate the host idles:
  // the waiting events, and a timer tick once its period has passed.
  virtual void Idle() = 0;

protected:
  ~IEditorEventSource() = default;
};

// The event source of a Linux editor with an X11 window, null for any other
// editor.
inline IEditorEventSource* EditorEventSource(IPluginEditor* editor)
{
  return dynamic_cast<IEditorEventSource*>(editor);
}
