#pragma once

#include <memory>

class IPluginEditor;

namespace Steinberg
{
class IPlugFrame;
}

// What keeps an attached editor running on this platform. On Linux the
// editor's X11 window lives on the host's run loop (Steinberg::Linux::IRunLoop,
// from the view's IPlugFrame): an event handler on the editor's X connection
// and a timer at the editor's frame rate. On Windows the editor window's own
// timer and messages drive it, so nothing is connected.
class Vst3EditorRunLoop
{
public:
  // Connects `editor`, just opened, to the frame's run loop. False when the
  // editor needs a run loop that the frame does not offer; `link` then stays
  // empty and the caller closes the editor again.
  static bool Connect(Steinberg::IPlugFrame* frame, IPluginEditor& editor,
                      std::unique_ptr<Vst3EditorRunLoop>& link);

  // Unregisters every handler from the run loop. The handler objects stay
  // alive for as long as the host holds them, but no longer reach the editor.
  virtual ~Vst3EditorRunLoop() = default;

protected:
  Vst3EditorRunLoop() = default;
};
