#include "raster/RasterGlyphCanvas.h"

#include <memory>
#include <new>

namespace
{
constexpr int kSmallestCanvas = 256;

int liveFonts = 0;
std::unique_ptr<RasterSysBitmap> canvas;
}  // namespace

namespace RasterGlyphCanvas
{
void FontCreated()
{
  ++liveFonts;
}

void FontDestroyed()
{
  if (--liveFonts == 0)
    canvas.reset();
}

RasterSysBitmap* Acquire(int minimumSize)
{
  if (!canvas)
  {
    const int size = minimumSize > kSmallestCanvas ? minimumSize : kSmallestCanvas;
    canvas.reset(new (std::nothrow) RasterSysBitmap(size, size));
  }
  else if (canvas->Width() < minimumSize || canvas->Height() < minimumSize)
  {
    canvas->Resize(minimumSize, minimumSize);
  }
  if (!canvas || canvas->Bits() == nullptr)
    return nullptr;
  return canvas.get();
}
}  // namespace RasterGlyphCanvas
