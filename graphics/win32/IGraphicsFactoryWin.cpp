#include "graphics/IGraphicsFactory.h"

#include "graphics/win32/IGraphicsWin.h"

std::unique_ptr<IGraphics> CreatePlatformGraphics(IEffectBase* plugin, int width, int height,
                                                  int framesPerSecond, void* moduleInstance)
{
  return std::make_unique<IGraphicsWin>(plugin, width, height, framesPerSecond,
                                        static_cast<HINSTANCE>(moduleInstance));
}
