#include "vst3/IEffectVST3View.h"

#include "framework/IPluginEditor.h"
#include "vst3/IEffectVST3.h"

using namespace Steinberg;

IEffectVST3View::IEffectVST3View(IEffectVST3* plugin) : plugin(plugin)
{
  plugin->addRef();
}

IEffectVST3View::~IEffectVST3View()
{
  // A host that releases an attached view still expects the editor gone.
  if (isAttached())
    removed();
  plugin->RemoveView(this);
  plugin->release();
}

tresult PLUGIN_API IEffectVST3View::isPlatformTypeSupported(FIDString type)
{
  if (!plugin->GetEditor() || !type)
    return kResultFalse;
  return IsPlatformType(type) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API IEffectVST3View::attached(void* parent, FIDString type)
{
  IPluginEditor* const editor = plugin->GetEditor();
  if (!editor || !parent || isPlatformTypeSupported(type) != kResultOk ||
      !FitsPlatformType(parent, type))
    return kResultFalse;
  void* const window = editor->OpenWindow(parent);
  if (!window)
    return kResultFalse;
  if (!Vst3EditorRunLoop::Connect(plugFrame, *editor, runLoop))
  {
    editor->CloseWindow();
    return kResultFalse;
  }
  systemWindow = parent;
  editorWindow = window;
  plugin->OnEditorOpen();
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::removed()
{
  IPluginEditor* const editor = plugin->GetEditor();
  runLoop.reset();
  if (editor && isAttached())
  {
    plugin->OnEditorClose();
    if (editor->WindowHandle() == editorWindow)
      editor->CloseWindow();
  }
  systemWindow = nullptr;
  editorWindow = nullptr;
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::getSize(ViewRect* size)
{
  if (!size)
    return kInvalidArgument;
  const IPluginEditor* const editor = plugin->GetEditor();
  if (!editor)
    return kResultFalse;
  *size = ViewRect(0, 0, editor->Width(), editor->Height());
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::onSize(ViewRect* newSize)
{
  if (!newSize)
    return kResultOk;
  rect = *newSize;
  if (expectingResize)
  {
    expectingResize = false;
    plugin->OnEditorResized();
  }
  return kResultOk;
}

void IEffectVST3View::RequestResize(int width, int height)
{
  if (!plugFrame)
    return;
  // Hosts may answer with onSize before resizeView returns.
  expectingResize = true;
  ViewRect size(0, 0, width, height);
  if (plugFrame->resizeView(this, &size) != kResultOk)
    expectingResize = false;
}
