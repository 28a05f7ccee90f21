// The drawing operations of IGraphics and the draw pass.
#include "graphics/IControl.h"
#include "graphics/IGraphics.h"
#include "graphics/TruncateToInt.h"
#include "raster/RasterBlit.h"
#include "raster/RasterFontCache.h"
#include "raster/RasterSysBitmap.h"
#include "raster/RasterTextFlags.h"

#include <algorithm>

namespace
{

BlendMode RasterMode(const IBlend* blend)
{
  if (!blend)
    return kBlendSourceAlpha | kBlendCopy;
  switch (blend->method)
  {
    case IBlendMethod::Opaque:
      return kBlendCopy;
    case IBlendMethod::Add:
      return kBlendSourceAlpha | kBlendAdd;
    case IBlendMethod::ColourDodge:
      return kBlendSourceAlpha | kBlendColourDodge;
    case IBlendMethod::None:
      break;
  }
  return kBlendSourceAlpha | kBlendCopy;
}

float RasterWeight(const IBlend* blend)
{
  return blend ? blend->weight : 1.0f;
}

RasterFontStyle FontStyleOf(const ITextStyle& style)
{
  RasterFontStyle font;
  font.name = style.fontName;
  font.size = style.size;
  font.style = static_cast<int32_t>(style.style);
  font.orientation = style.orientation;
  font.quality = static_cast<int32_t>(style.quality);
  return font;
}

}  // namespace

bool IGraphics::DrawBitmap(const IBitmapStrip& strip, const IRectangle& rect, int sx, int sy,
                           const IBlend* blend)
{
  if (rect.Empty() || drawRect.Empty() || !rect.Overlaps(drawRect))
    return true;
  const IRectangle clipped{std::max(rect.left, drawRect.left), std::max(rect.top, drawRect.top),
                           std::min(rect.right, drawRect.right),
                           std::min(rect.bottom, drawRect.bottom)};
  const RasterRect source{sx + clipped.left - rect.left, sy + clipped.top - rect.top,
                          sx + clipped.right - rect.left, sy + clipped.bottom - rect.top};
  BlitBitmap(drawBitmap.get(), strip.bitmap, clipped.left, clipped.top, &source,
             RasterWeight(blend), RasterMode(blend));
  return true;
}

bool IGraphics::DrawBitmapFrame(const IBitmapStrip& strip, const IRectangle& rect, int frame,
                                const IBlend* blend)
{
  const int offset = strip.FrameOffset(frame);
  if (strip.horizontal)
    return DrawBitmap(strip, rect, offset, 0, blend);
  return DrawBitmap(strip, rect, 0, offset, blend);
}

bool IGraphics::FillColourRect(const IColour& colour, const IRectangle& rect, const IBlend* blend)
{
  FillRectangle(drawBitmap.get(), rect.left, rect.top, rect.Width(), rect.Height(), colour.Word(),
                RasterWeight(blend), RasterMode(blend));
  return true;
}

bool IGraphics::DrawStyledText(ITextStyle& style, const char* text, IRectangle& rect, bool measure)
{
  if (!text || text[0] == '\0')
    return true;
  if (!style.cachedFont)
    style.cachedFont = RasterFontCacheGetOrCreate(FontStyleOf(style));
  RasterFont* font = style.cachedFont;
  if (!font)
    return false;

  font->SetTextColour(style.colour.Word());
  uint32_t flags = kRasterTextNoClip;
  if (style.colour.alpha != 255)
    flags |= kRasterTextColourAlpha;
  if (style.align == ITextAlign::Centre)
    flags |= kRasterTextCentre;
  else if (style.align == ITextAlign::Right)
    flags |= kRasterTextRight;

  if (!measure)
  {
    RasterRect area{rect.left, rect.top, rect.right, rect.bottom};
    font->DrawString(drawBitmap.get(), text, -1, area, flags);
    return true;
  }

  RasterRect extent;
  font->DrawString(drawBitmap.get(), text, -1, extent, flags | kRasterTextMeasure);
  const int textWidth = extent.right - extent.left;
  const int textHeight = extent.bottom - extent.top;
  switch (style.align)
  {
    case ITextAlign::Left:
      rect.right = rect.left + textWidth;
      break;
    case ITextAlign::Centre:
      rect.left =
          TruncateToInt((static_cast<double>(rect.left) + rect.right) * 0.5) - textWidth / 2;
      rect.right = rect.left + textWidth;
      break;
    case ITextAlign::Right:
      rect.left = rect.right - textWidth;
      break;
  }
  rect.bottom = rect.top + textHeight;
  return true;
}

bool IGraphics::CollectDirty(IRectangle& rect)
{
  bool dirty = false;
  for (const std::unique_ptr<IControl>& control : controls)
  {
    if (control->NeedsRedraw())
    {
      rect = rect.Union(control->GetRect());
      dirty = true;
    }
  }
  return dirty;
}

void IGraphics::DrawDirty(const IRectangle& rect)
{
  // Nothing to compose before the editor is attached or when it is empty.
  if (controls.empty() || !drawBitmap)
    return;
  if (strictDrawing)
    DrawStrict(rect);
  else
    DrawEachDirty();
  DrawScreen(rect);
}

void IGraphics::DrawStrict(const IRectangle& rect)
{
  drawRect = rect;
  for (const std::unique_ptr<IControl>& control : controls)
  {
    if (!control->IsHidden() && rect.Overlaps(control->GetRect()))
      control->Draw(*this);
  }
  for (const std::unique_ptr<IControl>& control : controls)
    control->MarkClean();
}

void IGraphics::DrawEachDirty()
{
  IControl& background = *controls.front();
  if (background.NeedsRedraw())
  {
    drawRect = background.GetRect();
    for (size_t i = 0; i < controls.size(); ++i)
    {
      IControl& control = *controls[i];
      if (i > 0 && control.IsHidden())
        continue;
      control.Draw(*this);
      control.MarkClean();
    }
    return;
  }
  for (size_t i = 1; i < controls.size(); ++i)
  {
    IControl& dirty = *controls[i];
    if (!dirty.NeedsRedraw())
      continue;
    drawRect = dirty.GetRect();
    for (size_t j = 0; j < controls.size(); ++j)
    {
      IControl& control = *controls[j];
      if (control.IsHidden())
        continue;
      if (j == i || control.GetRect().Overlaps(drawRect))
        control.Draw(*this);
    }
    dirty.MarkClean();
  }
}
