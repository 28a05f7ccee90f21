#include "tools/pluginhost/PlatformEditor.h"

namespace platformeditor
{

const char* const kVst3PlatformType = IOFFSCREEN_PARENT_PLATFORM_TYPE;

// A Linux host ticks the off-screen editor itself and runs no idle loop, so `idle` is not kept.
std::unique_ptr<PlatformEditor> Create(int reportedWidth, int reportedHeight, std::function<void()>,
                                       std::string&)
{
  return std::make_unique<OffscreenEditor>(reportedWidth, reportedHeight);
}

void* ParentHandle(PlatformEditor& editor)
{
  return editor.Parent();
}

bool Attached(PlatformEditor& editor)
{
  return editor.IsOpen();
}

}  // namespace platformeditor
