#include "graphics/IBitmapControl.h"

#include "graphics/IGraphics.h"

IBitmapControl::IBitmapControl(IEffectBase* plugin, const IRectangle& rect, int paramIndex,
                               const IBitmapStrip& strip, const IBlend& blend)
    : IControl(plugin, rect, paramIndex, blend), strip(strip)
{
}

bool IBitmapControl::Draw(IGraphics& graphics)
{
  return graphics.DrawBitmapFrame(strip, GetRect(), strip.FrameForValue(GetValue()), &GetBlend());
}
