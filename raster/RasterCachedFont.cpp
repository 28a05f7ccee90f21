#include "raster/RasterCachedFont.h"

#include "raster/RasterGlyphCanvas.h"

#include <algorithm>
#include <new>
#include <utility>

RasterCachedFont::RasterCachedFont()
{
  RasterGlyphCanvas::FontCreated();
  ClearGlyphs();
}

RasterCachedFont::~RasterCachedFont()
{
  if ((fontFlags & kRasterFontOwnsHandle) != 0 && fontHandle != nullptr)
    RasterDeleteFontHandle(fontHandle);
  RasterGlyphCanvas::FontDestroyed();
}

void RasterCachedFont::SetFromFontHandle(RasterFontHandle handle, std::int32_t flags)
{
  if ((fontFlags & kRasterFontOwnsHandle) != 0 && fontHandle != nullptr && handle != fontHandle)
    RasterDeleteFontHandle(fontHandle);
  fontFlags = flags;
  fontHandle = handle;
  lineHeight = 0;
  if (handle != nullptr)
  {
    RasterSysBitmap* const canvas = RasterGlyphCanvas::Acquire(0);
    if (canvas != nullptr)
      lineHeight = RasterFontLineHeight(handle, *canvas);
  }
  ClearGlyphs();
  if (handle != nullptr && (flags & kRasterFontAsciiAtOnce) != 0)
  {
    for (RasterGlyphRecord& record : ascii)
      Render(record);
  }
}

std::uint32_t RasterCachedFont::SetTextColour(std::uint32_t colour)
{
  return std::exchange(textColour, colour);
}

std::uint32_t RasterCachedFont::SetBackgroundColour(std::uint32_t colour)
{
  return std::exchange(backgroundColour, colour);
}

std::uint32_t RasterCachedFont::SetEffectColour(std::uint32_t colour)
{
  return std::exchange(effectColour, colour);
}

std::int32_t RasterCachedFont::SetBackgroundMode(std::int32_t mode)
{
  return std::exchange(backgroundMode, mode);
}

void RasterCachedFont::SetCombineMode(BlendMode mode, float newAlpha)
{
  combineMode = mode;
  alpha = newAlpha;
}

void RasterCachedFont::ClearGlyphs()
{
  for (int code = 0; code < 128; ++code)
  {
    ascii[code] = RasterGlyphRecord{};
    ascii[code].code = static_cast<std::uint16_t>(code);
  }
  extended.clear();
  glyphBuffer.clear();
}

RasterGlyphRecord* RasterCachedFont::Record(std::uint16_t code)
{
  if (code < 128)
    return &ascii[code];
  const auto byCode = [](const RasterGlyphRecord& record, std::uint16_t c) {
    return record.code < c;
  };
  auto found = std::lower_bound(extended.begin(), extended.end(), code, byCode);
  if (found != extended.end() && found->code == code)
    return &*found;
  if ((fontFlags & kRasterFontAsciiAtOnce) != 0)
    return nullptr;
  RasterGlyphRecord record;
  record.code = code;
  try
  {
    // Inserted in place, so the array stays sorted by code.
    return &*extended.insert(found, record);
  }
  catch (const std::bad_alloc&)
  {
    return nullptr;
  }
}

const RasterGlyphRecord* RasterCachedFont::Glyph(std::uint16_t code)
{
  RasterGlyphRecord* const record = Record(code);
  if (record != nullptr && record->offset == 0 && fontHandle != nullptr)
    Render(*record);
  return record;
}
