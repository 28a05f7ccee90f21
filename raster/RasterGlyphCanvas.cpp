#include "raster/RasterGlyphCanvas.h"

#include <algorithm>
#include <memory>
#include <new>

namespace
{
constexpr int kSmallestCanvas = 256;

int liveFonts = 0;
std::unique_ptr<RasterSysBitmap> canvas;
std::unique_ptr<RasterSysBitmap> textCanvas;
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
  {
    canvas.reset();
    textCanvas.reset();
  }
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

RasterSysBitmap* AcquireTextCanvas(int width, int height)
{
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (!textCanvas)
    textCanvas.reset(new (std::nothrow) RasterSysBitmap(width, height));
  else if (textCanvas->Width() < width || textCanvas->Height() < height)
    textCanvas->Resize(std::max(width, textCanvas->Width()),
                       std::max(height, textCanvas->Height()));
  if (!textCanvas || textCanvas->Bits() == nullptr)
    return nullptr;
  return textCanvas.get();
}
}  // namespace RasterGlyphCanvas
