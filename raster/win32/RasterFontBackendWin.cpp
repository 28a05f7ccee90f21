// Text on Windows: GDI fonts, measured and drawn with DrawTextW into the
// glyph canvas, a DIB section selected into a memory device context.
#include "raster/RasterFontBackend.h"

#include "raster/win32/RasterDeviceTextState.h"

#include <windows.h>

#include <cstdint>

namespace
{
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;

HDC ContextOf(const RasterSysBitmap& canvas)
{
  return static_cast<HDC>(canvas.DeviceContext());
}
}  // namespace

RasterFontHandle RasterCreateFontHandle(const RasterFontRequest& request)
{
  return CreateFontA(request.height, 0, request.escapement, request.orientation, request.weight,
                     request.italic ? TRUE : FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, static_cast<DWORD>(request.quality),
                     DEFAULT_PITCH | FF_DONTCARE, request.name != nullptr ? request.name : "");
}

void RasterDeleteFontHandle(RasterFontHandle font)
{
  if (font != nullptr)
    DeleteObject(static_cast<HFONT>(font));
}

std::int32_t RasterFontLineHeight(RasterFontHandle font, RasterSysBitmap& canvas)
{
  HDC const context = ContextOf(canvas);
  if (font == nullptr || context == nullptr)
    return 0;
  const RasterDeviceTextState state(context, font);
  TEXTMETRICA metrics{};
  if (!state.FontSelected() || !GetTextMetricsA(context, &metrics))
    return 0;
  return metrics.tmHeight;
}

void RasterMeasureCharacter(RasterFontHandle font, std::uint16_t code, RasterSysBitmap& canvas,
                            std::int32_t& width, std::int32_t& height)
{
  width = 0;
  height = 0;
  HDC const context = ContextOf(canvas);
  if (font == nullptr || context == nullptr)
    return;
  const RasterDeviceTextState state(context, font);
  if (!state.FontSelected())
    return;
  const wchar_t character = static_cast<wchar_t>(code);
  RECT extent{0, 0, 0, 0};
  if (DrawTextW(context, &character, 1, &extent, DT_NOPREFIX | DT_CALCRECT | DT_SINGLELINE) == 0)
    return;
  width = extent.right - extent.left;
  height = extent.bottom - extent.top;
}

void RasterDrawCharacter(RasterFontHandle font, std::uint16_t code, RasterSysBitmap& canvas)
{
  HDC const context = ContextOf(canvas);
  if (font == nullptr || context == nullptr)
    return;
  {
    RasterDeviceTextState state(context, font);
    if (!state.FontSelected())
      return;
    state.SetColours(kWhite, true, kBlack);
    const wchar_t character = static_cast<wchar_t>(code);
    RECT cell{0, 0, canvas.Width(), canvas.Height()};
    DrawTextW(context, &character, 1, &cell, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
  }
  // GDI may batch the drawing; the glyph cache reads the pixels next.
  GdiFlush();
}
