#include "graphics/IFileSelectorControl.h"

#include "framework/IEffectBase.h"
#include "graphics/IGraphics.h"

IFileSelectorControl::IFileSelectorControl(IEffectBase* plugin, const IRectangle& rect,
                                           int paramIndex, const IBitmapStrip& strip,
                                           IFileAction action, const char* folder, const char* file,
                                           const char* extensions, const IBlend& blend)
    : IControl(plugin, rect, paramIndex, blend),
      strip(strip),
      folder(folder ? folder : ""),
      file(file ? file : ""),
      extensions(extensions ? extensions : ""),
      action(action)
{
}

void IFileSelectorControl::OnMouseDown(int, int, const IMouseModifiers&)
{
  IGraphics* graphics = EditorGraphics(GetPlugin());
  if (!graphics)
    return;
  state = IFileSelectorState::Selecting;
  MarkDirty(false);
  if (graphics->PromptForFileLater(*this))
    return;
  graphics->PromptForFile(file, action, folder, extensions.c_str());
  FinishSelection();
}

void IFileSelectorControl::FinishSelection()
{
  double v = GetValue() + 1.0;
  if (v > 1.0)
    v = 0.0;
  SetValue(v);
  state = IFileSelectorState::Done;
  MarkDirty(true);
}

bool IFileSelectorControl::Draw(IGraphics& graphics)
{
  if (state == IFileSelectorState::Selecting)
    return graphics.DrawBitmap(strip, GetRect(), 0, 0, nullptr);
  return true;
}

bool IFileSelectorControl::NeedsRedraw()
{
  if (IControl::NeedsRedraw())
    return true;
  if (state == IFileSelectorState::Done)
  {
    state = IFileSelectorState::Idle;
    return true;
  }
  return false;
}
