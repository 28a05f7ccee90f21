#pragma once

#include "raster/RasterBitmap.h"
#include "raster/RasterBlit.h"
#include "raster/RasterFont.h"
#include "raster/RasterFontCache.h"
#include "raster/RasterRect.h"
#include "raster/RasterSysBitmap.h"

#include "tests/raster/RasterTestBitmaps.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

// Helpers of the Windows raster tests: fonts from the cache, and GDI's own
// rendering as the reference that text drawn by the library is held to.

inline RasterFont* CachedFont(const char* name, int size, int style = 0, int quality = 0,
                              int orientation = 0)
{
  RasterFontStyle request;
  request.name = name;
  request.size = size;
  request.style = style;
  request.quality = quality;
  request.orientation = orientation;
  return RasterFontCacheGetOrCreate(request);
}

inline std::unique_ptr<RasterSysBitmap> FilledSysBitmap(int width, int height, std::uint32_t pixel)
{
  auto bitmap = std::make_unique<RasterSysBitmap>(width, height);
  FillRectangle(bitmap.get(), 0, 0, width, height, pixel, 1.0f, kBlendCopy);
  return bitmap;
}

inline HDC ContextOf(const RasterSysBitmap& bitmap)
{
  return static_cast<HDC>(bitmap.DeviceContext());
}

// Text drawn by GDI alone with DrawTextW into a DIB filled with
// `background`: the text colour and the optional opaque background are
// given as COLORREFs, independently of the library's pixel words.
struct GdiText
{
  HFONT font = nullptr;
  std::wstring text;
  RasterRect rect;
  UINT format = 0;
  COLORREF colour = RGB(0, 0, 0);
  bool opaque = false;
  COLORREF background = RGB(255, 255, 255);
};

inline std::unique_ptr<RasterSysBitmap> DrawWithGdi(const GdiText& text, int width, int height,
                                                    std::uint32_t fill)
{
  auto bitmap = FilledSysBitmap(width, height, fill);
  HDC const context = ContextOf(*bitmap);
  HGDIOBJ const previous = SelectObject(context, text.font);
  SetTextColor(context, text.colour);
  SetBkMode(context, text.opaque ? OPAQUE : TRANSPARENT);
  SetBkColor(context, text.background);
  RECT rect{text.rect.left, text.rect.top, text.rect.right, text.rect.bottom};
  DrawTextW(context, text.text.c_str(), static_cast<int>(text.text.size()), &rect,
            text.format | DT_NOPREFIX);
  SelectObject(context, previous);
  GdiFlush();
  return bitmap;
}

// The extent GDI measures for the text alone.
inline RECT MeasureWithGdi(HFONT font, const std::wstring& text, UINT format = DT_SINGLELINE)
{
  RasterSysBitmap scratch(1, 1);
  HDC const context = ContextOf(scratch);
  HGDIOBJ const previous = SelectObject(context, font);
  RECT rect{0, 0, 0, 0};
  DrawTextW(context, text.c_str(), static_cast<int>(text.size()), &rect,
            format | DT_CALCRECT | DT_NOPREFIX);
  SelectObject(context, previous);
  return rect;
}

inline std::uint32_t Rgb(std::uint32_t pixel)
{
  return pixel & 0x00FFFFFFu;
}

// The number of pixels whose colour (alpha aside) differs between two
// bitmaps of the same size.
inline int CountRgbDifferences(const RasterBitmap& a, const RasterBitmap& b)
{
  int count = 0;
  for (int y = 0; y < a.Height(); ++y)
  {
    for (int x = 0; x < a.Width(); ++x)
      count += Rgb(PixelAt(a, x, y)) != Rgb(PixelAt(b, x, y)) ? 1 : 0;
  }
  return count;
}

// The smallest rectangle holding every pixel whose colour differs from
// `background`; empty (left ≥ right) when there is none.
inline RasterRect InkBox(const RasterBitmap& bitmap, std::uint32_t background)
{
  RasterRect box{bitmap.Width(), bitmap.Height(), 0, 0};
  for (int y = 0; y < bitmap.Height(); ++y)
  {
    for (int x = 0; x < bitmap.Width(); ++x)
    {
      if (Rgb(PixelAt(bitmap, x, y)) == Rgb(background))
        continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box;
}
