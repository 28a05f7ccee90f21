// The editor side of IEffectBase. The plug-in owns the editor it is given.
// Attaching hands every parameter's normalised value to each control bound
// to that parameter, as its main value or as the first auxiliary value it is
// bound to, prepares the editor for drawing and keeps it. Refreshing hands
// every parameter's plain value to the editor, which normalises it with the
// parameter's own rules. Destroying the plug-in destroys the editor, with its
// controls, before anything else. Without an editor each of these does
// nothing.
#include "framework/IEffectBase.h"
#include "framework/IPluginEditor.h"

void IEffectBase::AttachEditor(IPluginEditor* graphics)
{
  IMutexLock lock(mutex);
  if (!graphics || graphics == editor)
    return;
  for (int i = 0; i < GetParamCount(); ++i)
    graphics->ApplyParameterFromPlugin(i, params[static_cast<size_t>(i)].GetNormalized(), true);
  graphics->PrepareDrawing();
  // A second editor replaces the first, which the plug-in owns and so deletes.
  DestroyEditor();
  editor = graphics;
}

void IEffectBase::RefreshEditorFromParams()
{
  IMutexLock lock(mutex);
  if (!editor)
    return;
  for (int i = 0; i < GetParamCount(); ++i)
    editor->ApplyParameterFromPlugin(i, params[static_cast<size_t>(i)].Value(), false);
}

void IEffectBase::DestroyEditor()
{
  delete editor;
  editor = nullptr;
}
