#include "graphics/IKnobControl.h"

#include <cmath>

namespace
{

bool FineAdjustment(const IMouseModifiers& modifiers)
{
  return modifiers.shift || modifiers.control;
}

}  // namespace

IKnobControl::IKnobControl(IEffectBase* plugin, const IRectangle& rect, int paramIndex,
                           const IBlend& blend, IKnobDirection direction, double gearing)
    : IControl(plugin, rect, paramIndex, blend), direction(direction), gearing(gearing)
{
}

void IKnobControl::OnMouseDrag(int, int, int dx, int dy, const IMouseModifiers& modifiers)
{
  const double g = FineAdjustment(modifiers) ? gearing * 10.0 : gearing;
  const IRectangle& rect = GetRect();
  // Upward (negative dy) raises the value.
  const double change = direction == IKnobDirection::Vertical
                            ? dy / static_cast<double>(rect.top - rect.bottom) / g
                            : dx / static_cast<double>(rect.right - rect.left) / g;
  // A knob without extent or gearing has no travel to measure against.
  if (!std::isfinite(change))
    return;
  SetValue(GetValue() + change);
  MarkDirty(true);
}

void IKnobControl::OnMouseWheel(int, int, const IMouseModifiers& modifiers, int steps)
{
  SetValue(GetValue() + steps * (FineAdjustment(modifiers) ? 0.001 : 0.01));
  MarkDirty(true);
}
