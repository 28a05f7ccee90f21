#pragma once

#include "RecordingControl.h"
#include "RecordingPlugin.h"
#include "TestImages.h"

#include "raster/RasterSysBitmap.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// A recording plug-in with an editor of 500 × 480 on the platform's window
// host `Graphics`. Controls are added before Attach, which hands the editor
// to the plug-in (pushing every parameter's value into the controls) and
// clears the plug-in's log.
template <class Graphics>
struct TestEditorBase
{
  template <class ModuleInstance>
  TestEditorBase(PluginApi api, ModuleInstance moduleInstance)
      : plugin(api),
        pending(std::make_unique<Graphics>(&plugin, 500, 480, 25, moduleInstance)),
        graphics(pending.get())
  {
  }

  template <class Control, class... Args>
  Control* Add(Args&&... args)
  {
    return graphics->AttachControl(std::make_unique<Control>(&plugin, std::forward<Args>(args)...));
  }

  RecordingControl* AddRecording(const char* name, const IRectangle& rect, int paramIndex = -1)
  {
    return graphics->AttachControl(
        std::make_unique<RecordingControl>(log, name, &plugin, rect, paramIndex));
  }

  void Attach()
  {
    plugin.AttachEditor(pending.release());
    plugin.calls.clear();
  }

  // The draw pass over the whole editor, as a window's first paint.
  void DrawAll() { graphics->DrawDirty({0, 0, 500, 480}); }

  uint32_t DrawnPixel(int x, int y) const { return PixelAt(*graphics->GetDrawBitmap(), x, y); }

  TestImages images;
  std::vector<std::string> log;
  RecordingPlugin plugin;
  std::unique_ptr<Graphics> pending;
  Graphics* graphics;
};

using Calls = std::vector<std::string>;
