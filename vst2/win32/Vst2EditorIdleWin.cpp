// The Windows editor window redraws from its own timer.
#include "vst2/Vst2EditorIdle.h"

void IdleEditorWindow(IPluginEditor&) {}
