#include "vst2/Vst2EditorIdle.h"

#include "graphics/linux/IEditorEventSource.h"

void IdleEditorWindow(IGraphics& editor)
{
  if (IEditorEventSource* const source = EditorEventSource(&editor))
    source->Idle();
}
