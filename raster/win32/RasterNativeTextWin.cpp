// GDI drawing whole strings, for plain fonts outside Wine and for fonts too
// tall for the glyph cache: into a bitmap with a device context directly,
// into any other bitmap through the shared text canvas.
#include "raster/win32/RasterNativeTextWin.h"

#include "raster/RasterBlit.h"
#include "raster/RasterGlyphCanvas.h"
#include "raster/RasterTextFlags.h"
#include "raster/RasterUtf8.h"
#include "raster/win32/RasterDeviceTextState.h"
#include "raster/win32/RasterWineDetection.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>

namespace
{
// Taller fonts are always drawn by GDI.
constexpr std::int32_t kTallestCachedLineHeight = 255;
// Font flags only the glyph cache can honour.
constexpr std::int32_t kCacheOnlyFontFlags =
    kRasterFontVertical | kRasterFontBottomUp | kRasterFontAsciiAtOnce | kRasterFontBlur |
    kRasterFontInvert | kRasterFontMono | kRasterFontShadow | kRasterFontOutline;
// Our own flags, which DrawText must not see.
constexpr std::uint32_t kNotDrawTextFlags = kRasterTextColourAlpha | kRasterTextNoNative;
// UTF-16 text up to this many characters is converted on the stack.
constexpr int kLocalCharacters = 1024;
// Asked of a bitmap with ExtendedQuery: a non-zero answer keeps its text in
// the glyph cache.
constexpr int kNativeTextQuery = 0;

// The text as DrawText takes it: its bytes for DrawTextA, or, when it holds
// multi-byte UTF-8, UTF-16 for DrawTextW.
class DrawTextString
{
public:
  // False when the text cannot be handed to GDI: too long for DrawText, or
  // UTF-8 that Windows refuses to convert.
  bool Prepare(const char* text, int length)
  {
    const std::size_t size =
        length < 0 ? std::strlen(text)
                   : static_cast<std::size_t>(std::find(text, text + length, '\0') - text);
    if (size > static_cast<std::size_t>(INT_MAX))
      return false;
    bytes = text;
    byteCount = static_cast<int>(size);
    if (!HasMultiByteSequence())
      return true;

    const int needed =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, byteCount, nullptr, 0);
    if (needed <= 0)
      return false;
    wchar_t* target = local;
    if (needed > kLocalCharacters)
    {
      heap.reset(new (std::nothrow) wchar_t[static_cast<std::size_t>(needed)]);
      if (!heap)
        return false;
      target = heap.get();
    }
    characterCount =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, byteCount, target, needed);
    characters = target;
    return characterCount > 0;
  }

  int Draw(HDC context, RECT& rect, UINT format) const
  {
    if (characters != nullptr)
      return DrawTextW(context, characters, characterCount, &rect, format);
    return DrawTextA(context, bytes, byteCount, &rect, format);
  }

private:
  bool HasMultiByteSequence() const
  {
    for (int used = 0; used < byteCount;)
    {
      std::uint16_t code = 0;
      const int consumed = Utf8Decode(bytes + used, code, byteCount - used);
      if (consumed > 1)
        return true;
      used += consumed;
    }
    return false;
  }

  const char* bytes = nullptr;
  int byteCount = 0;
  const wchar_t* characters = nullptr;
  int characterCount = 0;
  wchar_t local[kLocalCharacters];
  std::unique_ptr<wchar_t[]> heap;
};

RECT ToRect(const RasterRect& rect)
{
  return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

RasterRect FromRect(const RECT& rect)
{
  return RasterRect{rect.left, rect.top, rect.right, rect.bottom};
}

bool FitsInLong(std::int64_t value)
{
  return value >= LONG_MIN && value <= LONG_MAX;
}

// GDI leaves alpha 0 in every pixel it paints. The canvas pixels of `area`
// that the text changed become opaque, as ink is; the others keep the
// bitmap's alpha, so the copy back leaves them as they were.
void MakePaintedPixelsOpaque(RasterBitmap& canvas, const RasterBitmap& bitmap,
                             const RasterRect& area)
{
  for (int y = area.top; y < area.bottom; ++y)
  {
    const std::uint32_t* const original = RasterRow(bitmap, y) + area.left;
    std::uint32_t* const drawn = RasterRow(canvas, y - area.top);
    for (int x = 0; x < area.right - area.left; ++x)
    {
      if (drawn[x] != original[x])
        drawn[x] |= 0xFF000000u;
    }
  }
}

class NativeText
{
public:
  NativeText(const RasterNativeTextRequest& request, const DrawTextString& text,
             std::uint32_t flags)
      : request(request),
        text(text),
        flags(flags),
        format(static_cast<UINT>(flags & ~kNotDrawTextFlags) | DT_NOPREFIX)
  {
  }

  // Lets GDI draw into the bitmap's own device context.
  bool IntoContext(HDC context, RasterRect& rect, int& result) const
  {
    RECT area = ToRect(rect);
    {
      RasterDeviceTextState state(context, request.font);
      if (!state.FontSelected())
        return false;
      state.SetColours(request.textColour, request.backgroundMode == kRasterBackgroundOpaque,
                       request.backgroundColour);
      result = text.Draw(context, area, format);
    }
    GdiFlush();
    if ((flags & kRasterTextMeasure) != 0)
      rect = FromRect(area);
    return true;
  }

  // Measures on the text canvas and, unless only measuring, draws there over
  // a copy of the text's area of the bitmap, which is then copied back with
  // the font's alpha.
  bool ThroughCanvas(RasterBitmap* bitmap, RasterRect& rect, int& result) const
  {
    RasterSysBitmap* canvas = RasterGlyphCanvas::AcquireTextCanvas(1, 1);
    if (canvas == nullptr || canvas->DeviceContext() == nullptr)
      return false;
    RECT extent = ToRect(rect);
    {
      const RasterDeviceTextState state(static_cast<HDC>(canvas->DeviceContext()), request.font);
      if (!state.FontSelected())
        return false;
      result = text.Draw(static_cast<HDC>(canvas->DeviceContext()), extent, format | DT_CALCRECT);
    }
    if ((flags & kRasterTextMeasure) != 0 || bitmap == nullptr)
    {
      rect = FromRect(extent);
      return true;
    }

    // Placed in 64 bits: no rectangle the caller passes can overflow it.
    const std::int64_t width = std::int64_t{extent.right} - extent.left;
    const std::int64_t height = std::int64_t{extent.bottom} - extent.top;
    std::int64_t x = rect.left;
    if ((flags & kRasterTextRight) != 0)
      x = std::int64_t{rect.right} - width;
    else if ((flags & kRasterTextCentre) != 0)
      x = (std::int64_t{rect.left} + rect.right - width) / 2;
    std::int64_t y = rect.top;
    if ((flags & kRasterTextBottom) != 0)
      y = std::int64_t{rect.bottom} - height;
    else if ((flags & kRasterTextVerticalCentre) != 0)
      y = (std::int64_t{rect.top} + rect.bottom - height) / 2;

    std::int64_t left = std::max<std::int64_t>(x, 0);
    std::int64_t top = std::max<std::int64_t>(y, 0);
    std::int64_t right = std::min<std::int64_t>(x + width, bitmap->Width());
    std::int64_t bottom = std::min<std::int64_t>(y + height, bitmap->Height());
    if ((flags & kRasterTextNoClip) == 0)
    {
      left = std::max<std::int64_t>(left, rect.left);
      top = std::max<std::int64_t>(top, rect.top);
      right = std::min<std::int64_t>(right, rect.right);
      bottom = std::min<std::int64_t>(bottom, rect.bottom);
    }
    // GDI coordinates are 32-bit: text placed beyond them is far off the bitmap.
    if (left >= right || top >= bottom || bitmap->Bits() == nullptr || !FitsInLong(x - left) ||
        !FitsInLong(y - top) || !FitsInLong(x - left + width) || !FitsInLong(y - top + height))
      return true;
    const RasterRect area{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                          static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom)};

    canvas = RasterGlyphCanvas::AcquireTextCanvas(area.right - area.left, area.bottom - area.top);
    if (canvas == nullptr)
      return false;
    HDC const context = static_cast<HDC>(canvas->DeviceContext());
    BlitBitmap(canvas, bitmap, 0, 0, &area, 1.0f, kBlendCopy);
    RECT placed{static_cast<LONG>(x - left), static_cast<LONG>(y - top),
                static_cast<LONG>(x - left + width), static_cast<LONG>(y - top + height)};
    {
      RasterDeviceTextState state(context, request.font);
      if (!state.FontSelected())
        return false;
      state.SetColours(request.textColour, request.backgroundMode == kRasterBackgroundOpaque,
                       request.backgroundColour);
      text.Draw(context, placed, format);
    }
    GdiFlush();
    MakePaintedPixelsOpaque(*canvas, *bitmap, area);
    const RasterRect drawn{0, 0, area.right - area.left, area.bottom - area.top};
    BlitBitmap(bitmap, canvas, area.left, area.top, &drawn, request.alpha, kBlendCopy);
    return true;
  }

private:
  const RasterNativeTextRequest& request;
  const DrawTextString& text;
  const std::uint32_t flags;
  const UINT format;
};
}  // namespace

bool RasterNativeTextChosen(const RasterNativeTextRequest& request, RasterBitmap* bitmap,
                            std::uint32_t flags, bool underWine)
{
  if (bitmap != nullptr && bitmap->ExtendedQuery(kNativeTextQuery, nullptr) != 0)
    return false;
  if (request.lineHeight > kTallestCachedLineHeight)
    return true;
  return (request.fontFlags & kRasterFontNativeAllowed) != 0 && request.font != nullptr &&
         (flags & kRasterTextNoNative) == 0 && !underWine &&
         (flags & kRasterTextColourAlpha) == 0 && (request.fontFlags & kCacheOnlyFontFlags) == 0 &&
         (request.lineSpacing == 0 || (flags & kRasterTextSingleLine) != 0);
}

bool RasterDrawNativeText(const RasterNativeTextRequest& request, RasterBitmap* bitmap,
                          const char* text, int length, RasterRect& rect, std::uint32_t flags,
                          int& result)
{
  if (request.font == nullptr || text == nullptr ||
      !RasterNativeTextChosen(request, bitmap, flags, RasterRunningUnderWine()))
    return false;
  DrawTextString string;
  if (!string.Prepare(text, length))
    return false;
  const NativeText native(request, string, flags);
  if (bitmap != nullptr && bitmap->DeviceContext() != nullptr)
    return native.IntoContext(static_cast<HDC>(bitmap->DeviceContext()), rect, result);
  return native.ThroughCanvas(bitmap, rect, result);
}
