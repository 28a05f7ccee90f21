#include "graphics/IKnobMultiControl.h"

#include "graphics/IGraphics.h"

IKnobMultiControl::IKnobMultiControl(IEffectBase* plugin, const IRectangle& rect, int paramIndex,
                                     const IBitmapStrip& strip, const IBlend& blend,
                                     IKnobDirection direction, double gearing)
    : IKnobControl(plugin, rect, paramIndex, blend, direction, gearing), strip(strip)
{
}

bool IKnobMultiControl::Draw(IGraphics& graphics)
{
  return graphics.DrawBitmapFrame(strip, GetRect(), strip.FrameForValue(GetValue()), &GetBlend());
}
