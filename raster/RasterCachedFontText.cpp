// Drawing and measuring text from the glyph cache.
#include "raster/RasterCachedFont.h"

#include "raster/RasterNativeText.h"
#include "raster/RasterPixel.h"
#include "raster/RasterSourceAlphaBlend.h"
#include "raster/RasterUtf8.h"
#include "raster/RasterWeight.h"

#include <algorithm>

namespace
{
constexpr std::uint16_t kCarriageReturn = 13;
constexpr std::uint16_t kLineFeed = 10;
constexpr std::uint16_t kSpace = 32;
constexpr std::uint32_t kAlignmentFlags =
    kRasterTextCentre | kRasterTextRight | kRasterTextVerticalCentre | kRasterTextBottom;

// Copy-mode blend of one text pixel: colour channels towards C by the
// coverage m at weight w, alpha towards opaque.
std::uint32_t BlendTextPixel(std::uint32_t d, std::uint32_t colour, int m, int w)
{
  if (w == 256)
  {
    return MapChannels(d, [&](int c, int dc) {
      if (c == 3)
        return 255 - (255 - m) * (255 - dc) / 256;
      const int cc = PixelChannel(colour, c);
      return (dc - cc) * (255 - m) / 256 + cc;
    });
  }
  const int k = std::min(256, w * m / 256);
  return MapChannels(d, [&](int c, int dc) {
    if (c == 3)
      return 255 - (255 - dc) * (256 - k) / 256;
    const int cc = PixelChannel(colour, c);
    return cc + (dc - cc) * (256 - k) / 256;
  });
}

RasterRect Intersect(const RasterRect& a, const RasterRect& b)
{
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}
}  // namespace

// The extent a walk reached, relative to its start point.
struct RasterCachedFont::TextWalk
{
  int right = 0;
  int bottom = 0;
};

bool RasterCachedFont::BlendCoverage(RasterBitmap& bitmap, const RasterGlyphRecord& glyph, int x,
                                     int y, const RasterRect& clip, float weight)
{
  if (glyph.offset <= 0 || bitmap.Bits() == nullptr)
    return false;
  const int w = RasterIntegerWeight(weight);
  const BlendMode operation = combineMode & kBlendOperationMask;
  if (w <= 0 || operation > kBlendHsvAdjust)
    return false;

  const RasterRect bounds = Intersect(clip, RasterRect{0, 0, bitmap.Width(), bitmap.Height()});
  const RasterRect area = Intersect(bounds, RasterRect{x, y, x + glyph.width, y + glyph.height});
  if (area.left >= area.right || area.top >= area.bottom)
    return false;

  const bool effects = (fontFlags & (kRasterFontShadow | kRasterFontOutline)) != 0;
  const std::uint8_t* const coverage = glyphBuffer.data() + (glyph.offset - 1);
  bool drawn = false;
  for (int row = area.top; row < area.bottom; ++row)
  {
    const std::uint8_t* const source = coverage + static_cast<std::size_t>(row - y) * glyph.width;
    std::uint32_t* const destination = RasterRow(bitmap, row);
    for (int column = area.left; column < area.right; ++column)
    {
      int m = source[column - x];
      if (m == 0)
        continue;
      drawn = true;
      std::uint32_t colour = textColour;
      if (effects)
      {
        // Ink in the text colour, the marked pixels beside it in the effect colour.
        colour = m == 255 ? textColour : effectColour;
        m = 255;
      }
      std::uint32_t& d = destination[column];
      if (operation == kBlendCopy)
        d = BlendTextPixel(d, colour, m, w);
      else
        d = SourceAlphaBlend(operation,
                             (colour & 0x00FFFFFFu) | static_cast<std::uint32_t>(m) << 24, d, w);
    }
  }
  return drawn;
}

bool RasterCachedFont::DrawGlyph(RasterBitmap* bitmap, std::uint16_t code, int x, int y,
                                 const RasterRect& clip)
{
  if (bitmap == nullptr)
    return false;
  const RasterGlyphRecord* const glyph = Glyph(code);
  return glyph != nullptr && BlendCoverage(*bitmap, *glyph, x, y, clip, alpha);
}

void RasterCachedFont::Walk(const char* text, int length, std::uint32_t flags, int x, int y,
                            RasterBitmap* target, const RasterRect& clip, float weight,
                            TextWalk& walk)
{
  const bool vertical = (fontFlags & kRasterFontVertical) != 0;
  const bool singleLine = (flags & kRasterTextSingleLine) != 0;
  const int startX = x;
  const int startY = y;
  int used = 0;
  // The length is tested first: text with a length need not be terminated.
  while ((length < 0 || used < length) && text[used] != '\0')
  {
    std::uint16_t code = 0;
    used += Utf8Decode(text + used, code, length < 0 ? -1 : length - used);
    if (code == kCarriageReturn)
      continue;
    if (code == kLineFeed)
    {
      if (!singleLine)
      {
        if (vertical)
        {
          x += lineSpacing + lineHeight;
          y = startY;
        }
        else
        {
          y += lineSpacing + lineHeight;
          x = startX;
        }
        continue;
      }
      code = kSpace;
    }
    const RasterGlyphRecord* const glyph = Glyph(code);
    if (glyph == nullptr || glyph->offset <= 0)
      continue;
    if (target != nullptr)
      BlendCoverage(*target, *glyph, x, y, clip, weight);
    if (vertical)
    {
      walk.right = std::max(walk.right, x - startX + glyph->width);
      walk.bottom = std::max(walk.bottom, y - startY + std::max(glyph->advance, glyph->height));
      y += glyph->advance;
    }
    else
    {
      walk.right = std::max(walk.right, x - startX + std::max(glyph->advance, glyph->width));
      walk.bottom = std::max(walk.bottom, y - startY + glyph->height);
      x += glyph->advance;
    }
  }
}

int RasterCachedFont::DrawString(RasterBitmap* bitmap, const char* text, int length,
                                 RasterRect& rect, std::uint32_t flags)
{
  const bool measureOnly = (flags & kRasterTextMeasure) != 0;
  if ((bitmap == nullptr && !measureOnly) || text == nullptr)
    return 0;

  const RasterNativeTextRequest request{fontHandle, fontFlags,        lineHeight,     lineSpacing,
                                        textColour, backgroundColour, backgroundMode, alpha};
  int nativeResult = 0;
  if (RasterDrawNativeText(request, bitmap, text, length, rect, flags, nativeResult))
    return nativeResult;
  flags &= ~kRasterTextNoNative;

  const bool vertical = (fontFlags & kRasterFontVertical) != 0;
  const RasterRect none{};
  if (measureOnly)
  {
    TextWalk walk;
    Walk(text, length, flags, 0, 0, nullptr, none, 0.0f, walk);
    rect.right = rect.left + walk.right;
    rect.bottom = rect.top + walk.bottom;
    return vertical ? walk.right : walk.bottom;
  }

  float weight = alpha;
  if ((flags & kRasterTextColourAlpha) != 0)
    weight *= static_cast<float>(PixelAlpha(textColour)) / 255.0f;

  int x = rect.left;
  int y = rect.top;
  if ((flags & kAlignmentFlags) != 0)
  {
    TextWalk extent;
    Walk(text, length, flags, 0, 0, nullptr, none, 0.0f, extent);
    if ((flags & kRasterTextCentre) != 0)
      x = rect.left + (rect.right - rect.left - extent.right) / 2;
    else if ((flags & kRasterTextRight) != 0)
      x = rect.right - extent.right;
    if ((flags & kRasterTextVerticalCentre) != 0)
      y = rect.top + (rect.bottom - rect.top - extent.bottom) / 2;
    else if ((flags & kRasterTextBottom) != 0)
      y = rect.bottom - extent.bottom;
  }

  const RasterRect whole{0, 0, bitmap->Width(), bitmap->Height()};
  const RasterRect clip = (flags & kRasterTextNoClip) != 0 ? whole : Intersect(rect, whole);
  TextWalk walk;
  Walk(text, length, flags, x, y, RasterIntegerWeight(weight) > 0 ? bitmap : nullptr, clip, weight,
       walk);
  return vertical ? walk.right : walk.bottom;
}
