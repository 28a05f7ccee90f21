#include "graphics/IGraphicsFactory.h"

#include "graphics/linux/IGraphicsLinux.h"

std::unique_ptr<IGraphics> CreatePlatformGraphics(IEffectBase* plugin, int width, int height,
                                                  int framesPerSecond, void* moduleInstance)
{
  return std::make_unique<IGraphicsLinux>(plugin, width, height, framesPerSecond, moduleInstance);
}
