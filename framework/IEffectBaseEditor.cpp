// The editor side of IEffectBase. The plug-in owns the editor it is given.
// Attaching hands every parameter's normalised value to each control bound
// to that parameter, as its main value or as the first auxiliary value it is
// bound to, prepares the editor for drawing and keeps it. Refreshing hands
// every parameter's plain value to the editor, which normalises it with the
// parameter's own rules. Destroying the plug-in destroys the editor, with its
// controls, before anything else. Without an editor each of these does
// nothing.
//
// The editor is reached only through IPluginEditor, so this library needs
// the graphics headers but not the graphics library: the graphics library
// links the framework, never the reverse.
#include "framework/IEffectBase.h"
#include "graphics/IGraphics.h"

namespace {

IPluginEditor* EditorLink(IGraphics* graphics)
{
  return graphics;
}

}  // namespace

void IEffectBase::AttachEditor(IGraphics* graphics)
{
  IMutexLock lock(mutex);
  if (!graphics || graphics == editor)
    return;
  IPluginEditor* link = EditorLink(graphics);
  for (int i = 0; i < GetParamCount(); ++i)
    link->ApplyParameterFromPlugin(i, params[static_cast<size_t>(i)].GetNormalized(), true);
  link->PrepareDrawing();
  // A second editor replaces the first, which the plug-in owns and so deletes.
  DestroyEditor();
  editor = graphics;
}

void IEffectBase::RefreshEditorFromParams()
{
  IMutexLock lock(mutex);
  if (!editor)
    return;
  IPluginEditor* link = EditorLink(editor);
  for (int i = 0; i < GetParamCount(); ++i)
    link->ApplyParameterFromPlugin(i, params[static_cast<size_t>(i)].Value(), false);
}

void IEffectBase::DestroyEditor()
{
  delete EditorLink(editor);
  editor = nullptr;
}
