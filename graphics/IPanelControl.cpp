#include "graphics/IPanelControl.h"

#include "graphics/IGraphics.h"

IPanelControl::IPanelControl(IEffectBase* plugin, const IRectangle& rect, const IColour& colour,
                             const IBlend& blend)
    : IControl(plugin, rect, -1, blend), colour(colour)
{
}

bool IPanelControl::Draw(IGraphics& graphics)
{
  return graphics.FillColourRect(colour, GetRect(), &GetBlend());
}
