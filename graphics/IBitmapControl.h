#pragma once

#include "graphics/IBitmapStrip.h"
#include "graphics/IControl.h"

// Shows the frame of its strip that matches its value.
class IBitmapControl : public IControl
{
public:
  IBitmapControl(IEffectBase* plugin, const IRectangle& rect, int paramIndex,
                 const IBitmapStrip& strip, const IBlend& blend = IBlend{});

  bool Draw(IGraphics& graphics) override;

  const IBitmapStrip& GetStrip() const { return strip; }

protected:
  const IBitmapStrip strip;
};
