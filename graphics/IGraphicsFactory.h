#pragma once

#include "graphics/IGraphics.h"

#include <memory>

class IEffectBase;

// Creates the editor surface of the platform this module is built for, so
// that the product never names a window host. `moduleInstance` identifies
// the module whose image resources the editor loads (RasterModuleHandle).
std::unique_ptr<IGraphics> CreatePlatformGraphics(IEffectBase* plugin, int width, int height,
                                                  int framesPerSecond, void* moduleInstance);
