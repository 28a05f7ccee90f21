#include "graphics/IGraphicsFactory.h"

#include "graphics/linux/IGraphicsOffscreen.h"

std::unique_ptr<IGraphics> CreatePlatformGraphics(IEffectBase* plugin, int width, int height,
                                                  int framesPerSecond, void* moduleInstance)
{
  return std::make_unique<IGraphicsOffscreen>(plugin, width, height, framesPerSecond,
                                              moduleInstance);
}
