// Hit testing and the dispatch of mouse and key input to the controls.
//
// A press on a bound control opens one host edit (BeginHostEdit) and its
// release closes it (EndHostEdit). Changes made outside a press (a double
// click, the wheel, a committed text entry) get an edit of their own, so the
// host always sees every editor change between a begin and an end, and never
// an end without its begin.
#include "framework/IEffectBase.h"
#include "graphics/IControl.h"
#include "graphics/IGraphics.h"

int IGraphics::FindControl(int x, int y, bool mouseOverTest) const
{
  for (int i = GetControlCount() - 1; i >= 0; --i)
  {
    IControl& control = *controls[static_cast<size_t>(i)];
    if (control.IsHidden())
      continue;
    if (control.IsGreyed() && !(mouseOverTest && control.MouseOverWhenGreyed()))
      continue;
    if (control.HitTest(x, y))
      return i;
  }
  return -1;
}

int IGraphics::CapturedOrFound(int x, int y) const
{
  if (GetControl(mouseCapture))
    return mouseCapture;
  return FindControl(x, y, false);
}

void IGraphics::SetLastMousePosition(int x, int y)
{
  lastMouseX = x;
  lastMouseY = y;
}

void IGraphics::ReleaseMouseCapture()
{
  mouseCapture = -1;
  SetLastMousePosition(-1, -1);
}

void IGraphics::BeginEdit(int paramIndex)
{
  EndEdit();
  editParam = paramIndex;
  plugin->BeginHostEdit(paramIndex);
}

void IGraphics::EndEdit()
{
  if (editParam < 0)
    return;
  const int paramIndex = editParam;
  editParam = -1;
  plugin->EndHostEdit(paramIndex);
}

bool IGraphics::BeginChangeEdit(int paramIndex)
{
  if (!plugin || paramIndex < 0 || editParam >= 0)
    return false;
  BeginEdit(paramIndex);
  return true;
}

void IGraphics::OnMouseDown(int x, int y, const IMouseModifiers& modifiers)
{
  // A press whose release never arrived still closes its edit.
  EndEdit();
  ReleaseMouseCapture();
  const int index = FindControl(x, y, false);
  if (index < 0)
    return;
  mouseCapture = index;
  SetLastMousePosition(x, y);
  IControl& control = *controls[static_cast<size_t>(index)];
  const int paramIndex = control.ParamIndex();
  if (plugin && paramIndex >= 0)
  {
    if (plugin->QueryPluginApi() == PluginApi::VST3 && modifiers.right)
    {
      ReleaseMouseCapture();
      plugin->ShowHostParamMenu(paramIndex, x, y);
      return;
    }
    BeginEdit(paramIndex);
  }
  control.OnMouseDown(x, y, modifiers);
}

void IGraphics::OnMouseUp(int x, int y, const IMouseModifiers& modifiers)
{
  const int index = CapturedOrFound(x, y);
  ReleaseMouseCapture();
  if (index >= 0)
    controls[static_cast<size_t>(index)]->OnMouseUp(x, y, modifiers);
  EndEdit();
}

void IGraphics::OnMouseDrag(int x, int y, int dx, int dy, const IMouseModifiers& modifiers)
{
  if (IControl* control = GetControl(mouseCapture))
    control->OnMouseDrag(x, y, dx, dy, modifiers);
}

bool IGraphics::OnMouseOver(int x, int y, const IMouseModifiers& modifiers)
{
  if (!handleMouseOver)
    return false;
  const int index = GetControl(mouseCapture) ? mouseCapture : FindControl(x, y, true);
  if (index < 0)
    return true;
  SetLastMousePosition(x, y);
  controls[static_cast<size_t>(index)]->OnMouseOver(x, y, modifiers);
  if (IControl* previous = GetControl(mouseOver); previous && mouseOver != index)
    previous->OnMouseOut();
  mouseOver = index;
  return true;
}

void IGraphics::OnMouseOut()
{
  for (const std::unique_ptr<IControl>& control : controls)
    control->OnMouseOut();
  mouseOver = -1;
}

bool IGraphics::OnMouseDoubleClick(int x, int y, const IMouseModifiers& modifiers)
{
  EndEdit();
  ReleaseMouseCapture();
  const int index = FindControl(x, y, false);
  if (index < 0)
    return false;
  IControl& control = *controls[static_cast<size_t>(index)];
  if (!control.DoubleClickAsClick())
  {
    const bool ownEdit = BeginChangeEdit(control.ParamIndex());
    control.OnMouseDoubleClick(x, y, modifiers);
    if (ownEdit)
      EndEdit();
    return false;
  }
  mouseCapture = index;
  SetLastMousePosition(x, y);
  if (plugin && control.ParamIndex() >= 0)
    BeginEdit(control.ParamIndex());
  control.OnMouseDown(x, y, modifiers);
  return true;
}

void IGraphics::OnMouseWheel(int x, int y, const IMouseModifiers& modifiers, int steps)
{
  const int index = CapturedOrFound(x, y);
  if (index < 0)
    return;
  IControl& control = *controls[static_cast<size_t>(index)];
  const bool ownEdit = BeginChangeEdit(control.ParamIndex());
  control.OnMouseWheel(x, y, modifiers, steps);
  if (ownEdit)
    EndEdit();
}

bool IGraphics::OnKeyDown(int x, int y, int key)
{
  const int index = CapturedOrFound(x, y);
  if (index <= 0)
    return keyCatcher ? keyCatcher->OnKeyDown(x, y, key) : false;
  return controls[static_cast<size_t>(index)]->OnKeyDown(x, y, key);
}
