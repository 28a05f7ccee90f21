#include "graphics/IGraphics.h"

#include "framework/IEffectBase.h"
#include "graphics/IBitmapControl.h"
#include "graphics/IControl.h"
#include "raster/RasterImageCache.h"
#include "raster/RasterSysBitmap.h"

#include <algorithm>
#include <cctype>
#include <cstring>

IGraphics::IGraphics(IEffectBase* plugin, int width, int height, int framesPerSecond)
    : plugin(plugin), width(width), height(height), framesPerSecond(framesPerSecond)
{
}

IGraphics::~IGraphics()
{
  keyCatcher.reset();
  while (!controls.empty())
    controls.pop_back();
}

bool IGraphics::MeasureText(ITextStyle& style, const char* text, IRectangle& rect)
{
  return DrawStyledText(style, text, rect, true);
}

void IGraphics::Resize(int newWidth, int newHeight)
{
  width = newWidth;
  height = newHeight;
  EndEdit();
  mouseCapture = -1;
  mouseOver = -1;
  lastMouseX = -1;
  lastMouseY = -1;
  while (!controls.empty())
    controls.pop_back();
  drawBitmap.reset();
  PrepareDrawing();
  if (plugin)
    plugin->ResizeEditor(width, height);
}

bool IGraphics::WindowIsOpen()
{
  return WindowHandle() != nullptr;
}

const char* IGraphics::DrawSystemName()
{
  return "";
}

void IGraphics::UserDataPath(std::string& path)
{
  AppDataPath(path, false);
}

bool IGraphics::PromptForFileLater(IFileSelectorControl&)
{
  return false;
}

void IGraphics::HideCursor() {}

void IGraphics::ShowCursor() {}

void IGraphics::PrepareDrawing()
{
  drawBitmap = std::make_unique<RasterSysBitmap>(width, height);
}

void IGraphics::ApplyParameterFromPlugin(int index, double value, bool isNormalized)
{
  if (!isNormalized)
  {
    const IParameter* parameter = plugin ? plugin->GetParam(index) : nullptr;
    if (!parameter)
      return;
    value = parameter->GetNormalized(value);
  }
  for (const std::unique_ptr<IControl>& control : controls)
  {
    if (control->ParamIndex() == index)
      control->ApplyPluginValue(value);
    for (int position = 0; position < control->AuxParamCount(); ++position)
    {
      if (control->AuxParamIndex(position) == index)
      {
        control->ApplyAuxPluginValue(position, value);
        break;
      }
    }
  }
}

IBitmapControl* IGraphics::AttachBackground(int resourceId, const char* name)
{
  const IBitmapStrip strip = LoadBitmapStrip(resourceId, name, 1);
  auto background =
      std::make_unique<IBitmapControl>(plugin, IRectangle{0, 0, strip.width, strip.height}, -1,
                                       strip, IBlend{IBlendMethod::Opaque, 1.0f});
  IBitmapControl* attached = background.get();
  controls.insert(controls.begin(), std::move(background));
  return attached;
}

IBitmapStrip IGraphics::LoadBitmapStrip(int resourceId, const char* name, int frameCount)
{
  RasterBitmap* bitmap = RasterImageCacheFind(resourceId);
  if (!bitmap)
    bitmap = RasterImageCacheAdd(LoadOsBitmap(resourceId, name), resourceId);
  IBitmapStrip strip;
  strip.bitmap = bitmap;
  strip.width = bitmap ? bitmap->Width() : 0;
  strip.height = bitmap ? bitmap->Height() : 0;
  strip.frameCount = std::max(frameCount, 1);
  strip.horizontal = false;
  return strip;
}

void IGraphics::SetKeyCatcher(std::unique_ptr<IControl> control)
{
  keyCatcher = std::move(control);
}

IControl* IGraphics::GetControl(int index) const
{
  if (index < 0 || index >= GetControlCount())
    return nullptr;
  return controls[static_cast<size_t>(index)].get();
}

void IGraphics::AppendControl(std::unique_ptr<IControl> control)
{
  if (control)
    controls.push_back(std::move(control));
}

void IGraphics::MarkAllControlsDirty()
{
  for (const std::unique_ptr<IControl>& control : controls)
    control->MarkDirty(false);
}

bool IGraphics::NamesPngImage(const char* name)
{
  const char* dot = name ? std::strrchr(name, '.') : nullptr;
  if (!dot)
    return false;
  const char* extension = dot + 1;
  if (std::strlen(extension) != 3)
    return false;
  const char png[] = "png";
  for (int i = 0; i < 3; ++i)
  {
    if (std::tolower(static_cast<unsigned char>(extension[i])) != png[i])
      return false;
  }
  return true;
}

IGraphics* EditorGraphics(IEffectBase* plugin)
{
  return plugin ? dynamic_cast<IGraphics*>(plugin->GetEditor()) : nullptr;
}
