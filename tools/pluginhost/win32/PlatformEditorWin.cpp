#include "tools/pluginhost/PlatformEditor.h"

#include <windows.h>

#include "pluginterfaces/gui/iplugview.h"

namespace platformeditor
{

const char* const kVst3PlatformType = Steinberg::kPlatformTypeHWND;

std::unique_ptr<PlatformEditor> Create(int reportedWidth, int reportedHeight,
                                       std::function<void()> idle, std::string& error)
{
  auto editor = std::make_unique<WindowEditor>(reportedWidth, reportedHeight, std::move(idle));
  if (!editor->Created())
  {
    error = "cannot create a window for the editor: error " + std::to_string(GetLastError());
    return nullptr;
  }
  return editor;
}

void* ParentHandle(PlatformEditor& editor)
{
  return editor.FrameWindow();
}

bool Attached(PlatformEditor& editor)
{
  return editor.FindEditorWindow();
}

}  // namespace platformeditor
