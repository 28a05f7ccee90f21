#pragma once

#include "graphics/IColour.h"
#include "graphics/IControl.h"

// A rectangle filled with one colour.
class IPanelControl : public IControl
{
public:
  IPanelControl(IEffectBase* plugin, const IRectangle& rect, const IColour& colour,
                const IBlend& blend = IBlend{});

  bool Draw(IGraphics& graphics) override;

  const IColour& GetColour() const { return colour; }

private:
  const IColour colour;
};
