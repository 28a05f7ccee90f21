#include "graphics/IContactControl.h"

void IContactControl::OnMouseUp(int, int, const IMouseModifiers&)
{
  SetValue(0.0);
  MarkDirty(true);
}
