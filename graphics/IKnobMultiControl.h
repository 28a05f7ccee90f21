#pragma once

#include "graphics/IBitmapStrip.h"
#include "graphics/IKnobControl.h"

// A knob drawn as the frame of its strip that matches its value.
class IKnobMultiControl : public IKnobControl
{
public:
  IKnobMultiControl(IEffectBase* plugin, const IRectangle& rect, int paramIndex,
                    const IBitmapStrip& strip, const IBlend& blend = IBlend{},
                    IKnobDirection direction = IKnobDirection::Vertical, double gearing = 4.0);

  bool Draw(IGraphics& graphics) override;

  const IBitmapStrip& GetStrip() const { return strip; }

private:
  const IBitmapStrip strip;
};
