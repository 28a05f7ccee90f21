// The Windows editor window runs on its own timer and window messages.
#include "vst3/Vst3EditorRunLoop.h"

bool Vst3EditorRunLoop::Connect(Steinberg::IPlugFrame*, IPluginEditor&,
                                std::unique_ptr<Vst3EditorRunLoop>& link)
{
  link.reset();
  return true;
}
