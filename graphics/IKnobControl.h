#pragma once

#include "graphics/IControl.h"

enum class IKnobDirection : int32_t
{
  Vertical = 0,
  Horizontal = 1,
};

// A value dragged with the mouse or stepped with the wheel. A travel of
// gearing × the control's extent covers the whole range; Shift or Control
// make it ten times finer.
class IKnobControl : public IControl
{
public:
  IKnobControl(IEffectBase* plugin, const IRectangle& rect, int paramIndex,
               const IBlend& blend = IBlend{}, IKnobDirection direction = IKnobDirection::Vertical,
               double gearing = 4.0);

  void OnMouseDrag(int x, int y, int dx, int dy, const IMouseModifiers& modifiers) override;
  void OnMouseWheel(int x, int y, const IMouseModifiers& modifiers, int steps) override;

  IKnobDirection Direction() const { return direction; }
  double Gearing() const { return gearing; }

private:
  const IKnobDirection direction;
  const double gearing;
};
