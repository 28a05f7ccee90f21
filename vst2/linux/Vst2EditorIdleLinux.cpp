#include "vst2/Vst2EditorIdle.h"

#include "framework/linux/IEditorEventSource.h"

void IdleEditorWindow(IPluginEditor& editor)
{
  if (IEditorEventSource* const source = EditorEventSource(&editor))
    source->Idle();
}
