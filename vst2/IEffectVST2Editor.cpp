#include "vst2/IEffectVST2.h"

#include "framework/IPluginEditor.h"
#include "vst2/Vst2EditorIdle.h"

#include <algorithm>
#include <cstdint>

// The VST2 side of the editor connection: the flag that tells a host there is an editor,
// the rectangle it sizes the editor's window from, opening and closing the editor in the
// host's window. The editor is reached only through IPluginEditor's virtual operations.
// Without an editor each of these does nothing.

namespace
{

VstInt16 RectExtent(int pixels)
{
  return static_cast<VstInt16>(std::clamp(pixels, 0, static_cast<int>(INT16_MAX)));
}

}  // namespace

void IEffectVST2::AttachEditor(IPluginEditor* graphics)
{
  IEffectBase::AttachEditor(graphics);
  if (IPluginEditor* editor = GetEditor())
  {
    effect.flags |= effFlagsHasEditor;
    SetEditorRect(editor->Width(), editor->Height());
  }
}

void IEffectVST2::ResizeEditor(int width, int height)
{
  SetEditorRect(width, height);
  OnEditorResized();
}

void IEffectVST2::SetEditorRect(int width, int height)
{
  editorRect.top = 0;
  editorRect.left = 0;
  editorRect.bottom = RectExtent(height);
  editorRect.right = RectExtent(width);
}

VstIntPtr IEffectVST2::GetEditorRect(void* ptr)
{
  if (!ptr || !GetEditor())
    return 0;
  *static_cast<ERect**>(ptr) = &editorRect;
  return 1;
}

VstIntPtr IEffectVST2::OpenEditor(void* parent)
{
  IPluginEditor* const editor = GetEditor();
  // Without a parent window there is nowhere to show the editor.
  if (!editor || !parent || !editor->OpenWindow(parent))
    return 0;
  OnEditorOpen();
  return 1;
}

VstIntPtr IEffectVST2::CloseEditor()
{
  IPluginEditor* const editor = GetEditor();
  if (!editor)
    return 0;
  OnEditorClose();
  editor->CloseWindow();
  return 1;
}

VstIntPtr IEffectVST2::IdleEditor()
{
  if (IPluginEditor* editor = GetEditor(); editor && editor->WindowIsOpen())
    IdleEditorWindow(*editor);
  return 0;
}
