#pragma once

#include "raster/RasterBlendMode.h"
#include "raster/RasterHsvAdjust.h"
#include "raster/RasterPixel.h"

#include <algorithm>
#include <cstdint>

// The blend modes weighted by the source pixel's alpha (mode bit 16), per
// pixel, at integer weight w (256 = full). Used by BlitBitmap and by the
// glyph renderer, whose source pixels are the text colour with the coverage
// as alpha. A fully transparent source pixel leaves the destination as it is.

// The per-pixel weight a = w × (sa + 1) / 256.
inline int SourceAlphaWeight(int w, int sourceAlpha)
{
  return w * (sourceAlpha + 1) / 256;
}

inline std::uint32_t SourceAlphaCopy(std::uint32_t s, std::uint32_t d, int w)
{
  const int sa = PixelAlpha(s);
  if (sa == 0)
    return d;
  if (w == 256)
  {
    if (sa == 255)
      return s | 0xFF000000u;
    return MapChannels(d, [&](int c, int dc) {
      if (c == 3)
        return std::min(255, dc + sa);
      const int sc = PixelChannel(s, c);
      return sc + (dc - sc) * (255 - sa) / 256;
    });
  }
  const int a = SourceAlphaWeight(w, sa);
  return MapChannels(d, [&](int c, int dc) {
    if (c == 3)
      return std::min(255, a + dc);
    const int sc = PixelChannel(s, c);
    return sc + (dc - sc) * (256 - a) / 256;
  });
}

inline std::uint32_t SourceAlphaAdd(std::uint32_t s, std::uint32_t d, int w)
{
  const int sa = PixelAlpha(s);
  if (sa == 0)
    return d;
  const int a = SourceAlphaWeight(w, sa);
  return MapChannels(d, [&](int c, int dc) {
    return c == 3 ? dc + sa * a / 256 : dc + a * PixelChannel(s, c) / 256;
  });
}

inline std::uint32_t SourceAlphaDodge(std::uint32_t s, std::uint32_t d, int w)
{
  const int sa = PixelAlpha(s);
  if (sa == 0)
    return d;
  const int a = SourceAlphaWeight(w, sa);
  return MapChannels(d,
                     [&](int c, int dc) { return DodgeChannel(dc, a * PixelChannel(s, c) / 256); });
}

inline std::uint32_t SourceAlphaMultiply(std::uint32_t s, std::uint32_t d, int w)
{
  const int sa = PixelAlpha(s);
  if (sa == 0)
    return d;
  const int a = SourceAlphaWeight(w, sa);
  const int m = (256 - a) * 256;
  return MapChannels(d, [&](int c, int dc) { return ((a * PixelChannel(s, c) + m) * dc) >> 16; });
}

inline std::uint32_t SourceAlphaOverlay(std::uint32_t s, std::uint32_t d, int w)
{
  const int sa = PixelAlpha(s);
  if (sa == 0)
    return d;
  const int a = SourceAlphaWeight(w, sa);
  return MapChannels(d, [&](int c, int dc) { return OverlayChannel(dc, PixelChannel(s, c), a); });
}

inline std::uint32_t SourceAlphaHsvAdjust(std::uint32_t s, std::uint32_t d, int w)
{
  const int sa = PixelAlpha(s);
  if (sa == 0)
    return d;
  return RasterHsvAdjust(d, s, SourceAlphaWeight(w, sa)) | (s & 0xFF000000u);
}

// Operations 0 to 5; any other leaves the destination unchanged.
inline std::uint32_t SourceAlphaBlend(BlendMode operation, std::uint32_t s, std::uint32_t d, int w)
{
  switch (operation)
  {
    case kBlendCopy:
      return SourceAlphaCopy(s, d, w);
    case kBlendAdd:
      return SourceAlphaAdd(s, d, w);
    case kBlendColourDodge:
      return SourceAlphaDodge(s, d, w);
    case kBlendMultiply:
      return SourceAlphaMultiply(s, d, w);
    case kBlendOverlay:
      return SourceAlphaOverlay(s, d, w);
    case kBlendHsvAdjust:
      return SourceAlphaHsvAdjust(s, d, w);
    default:
      return d;
  }
}
