#include "raster/RasterBlit.h"

#include "raster/RasterHsvAdjust.h"
#include "raster/RasterPixel.h"
#include "raster/RasterSourceAlphaBlend.h"
#include "raster/RasterSourceAlphaCopyRow.h"
#include "raster/RasterWeight.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace
{
// The covered area of one blit: `columns` × `rows` pixels from (sx, sy) of
// the source to (x, y) of the destination.
struct BlitArea
{
  int x, y, sx, sy, columns, rows;
};

// Clips the blit to both bitmaps; false when nothing is covered. Works in
// 64 bits so extreme coordinates cannot overflow.
bool ClipBlit(const RasterBitmap& destination, const RasterBitmap& source, int x, int y,
              const RasterRect* rect, BlitArea& area)
{
  std::int64_t dx = x, dy = y;
  std::int64_t sx = 0, sy = 0;
  std::int64_t sr = source.Width(), sb = source.Height();
  if (rect != nullptr)
  {
    sr = std::min<std::int64_t>(rect->right, sr);
    sb = std::min<std::int64_t>(rect->bottom, sb);
    if (rect->left < 0)
      dx -= rect->left;
    else
      sx = rect->left;
    if (rect->top < 0)
      dy -= rect->top;
    else
      sy = rect->top;
  }
  if (dx < 0)
  {
    sx -= dx;
    dx = 0;
  }
  if (dy < 0)
  {
    sy -= dy;
    dy = 0;
  }
  if (sx >= sr || sy >= sb || dx >= destination.Width() || dy >= destination.Height())
    return false;
  sr = std::min<std::int64_t>(sr, destination.Width() + sx - dx);
  sb = std::min<std::int64_t>(sb, destination.Height() + sy - dy);
  if (sx >= sr || sy >= sb)
    return false;
  area = {static_cast<int>(dx), static_cast<int>(dy),      static_cast<int>(sx),
          static_cast<int>(sy), static_cast<int>(sr - sx), static_cast<int>(sb - sy)};
  return true;
}

// Walking backward reads every source pixel before it is overwritten when a
// bitmap is blitted onto itself with the destination after the source.
bool WalkBackward(const RasterBitmap& destination, const RasterBitmap& source, const BlitArea& area)
{
  return destination.Bits() == source.Bits() &&
         (area.y > area.sy || (area.y == area.sy && area.x > area.sx));
}

// The rows of the covered area in both bitmaps, by row number 0..rows - 1.
class AreaRows
{
public:
  AreaRows(const RasterBitmap& destination, const RasterBitmap& source, const BlitArea& area)
      : destinationOrigin(RasterRow(destination, area.y) + area.x),
        sourceOrigin(RasterRow(source, area.sy) + area.sx),
        destinationStride(RasterRowStride(destination)),
        sourceStride(RasterRowStride(source))
  {
  }

  std::uint32_t* Destination(int row) const { return destinationOrigin + destinationStride * row; }
  const std::uint32_t* Source(int row) const { return sourceOrigin + sourceStride * row; }

private:
  std::uint32_t* const destinationOrigin;
  const std::uint32_t* const sourceOrigin;
  const std::ptrdiff_t destinationStride;
  const std::ptrdiff_t sourceStride;
};

// Runs `rowFunction(destination row, source row, columns)` over the rows of
// the area, top to bottom.
template <class RowFunction>
void ForEachRow(const RasterBitmap& destination, const RasterBitmap& source, const BlitArea& area,
                RowFunction rowFunction)
{
  const AreaRows rows(destination, source, area);
  for (int row = 0; row < area.rows; ++row)
    rowFunction(rows.Destination(row), rows.Source(row), area.columns);
}

// Runs `kernel(source pixel, destination pixel) -> new destination pixel`
// over the area.
template <class Kernel>
void BlendArea(const RasterBitmap& destination, const RasterBitmap& source, const BlitArea& area,
               Kernel kernel)
{
  if (WalkBackward(destination, source, area))
  {
    const AreaRows rows(destination, source, area);
    for (int row = area.rows - 1; row >= 0; --row)
    {
      std::uint32_t* const d = rows.Destination(row);
      const std::uint32_t* const s = rows.Source(row);
      for (int column = area.columns - 1; column >= 0; --column)
        d[column] = kernel(s[column], d[column]);
    }
    return;
  }
  ForEachRow(destination, source, area,
             [&kernel](std::uint32_t* d, const std::uint32_t* s, int columns) {
               for (int column = 0; column < columns; ++column)
                 d[column] = kernel(s[column], d[column]);
             });
}

// The opaque copy at full weight: whole rows.
void CopyRows(const RasterBitmap& destination, const RasterBitmap& source, const BlitArea& area)
{
  const AreaRows rows(destination, source, area);
  const bool backward = WalkBackward(destination, source, area);
  const std::size_t bytes = static_cast<std::size_t>(area.columns) * sizeof(std::uint32_t);
  for (int i = 0; i < area.rows; ++i)
  {
    const int row = backward ? area.rows - 1 - i : i;
    std::memmove(rows.Destination(row), rows.Source(row), bytes);
  }
}

// The modes without the alpha bit, at integer weight w (w != 0).
void BlendPlain(const RasterBitmap& destination, const RasterBitmap& source, const BlitArea& area,
                BlendMode operation, int w)
{
  switch (operation)
  {
    case kBlendCopy:
      if (w <= 0)
        return;
      if (w == 256)
      {
        CopyRows(destination, source, area);
        return;
      }
      BlendArea(destination, source, area, [w](std::uint32_t s, std::uint32_t d) {
        return MapChannels(d, [&](int c, int dc) {
          const int sc = PixelChannel(s, c);
          return sc + (dc - sc) * (256 - w) / 256;
        });
      });
      return;
    case kBlendAdd:
      BlendArea(destination, source, area, [w](std::uint32_t s, std::uint32_t d) {
        return MapChannels(d, [&](int c, int dc) { return dc + PixelChannel(s, c) * w / 256; });
      });
      return;
    case kBlendColourDodge:
      BlendArea(destination, source, area, [w](std::uint32_t s, std::uint32_t d) {
        return MapChannels(
            d, [&](int c, int dc) { return DodgeChannel(dc, PixelChannel(s, c) * w / 256); });
      });
      return;
    case kBlendMultiply:
      BlendArea(destination, source, area, [w](std::uint32_t s, std::uint32_t d) {
        return MapChannels(
            d, [&](int c, int dc) { return MultiplyChannel(dc, PixelChannel(s, c), w); });
      });
      return;
    case kBlendOverlay:
      BlendArea(destination, source, area, [w](std::uint32_t s, std::uint32_t d) {
        return MapChannels(
            d, [&](int c, int dc) { return OverlayChannel(dc, PixelChannel(s, c), w); });
      });
      return;
    case kBlendHsvAdjust:
      BlendArea(destination, source, area, [w](std::uint32_t s, std::uint32_t d) {
        return RasterHsvAdjust(d, s, w) | (s & 0xFF000000u);
      });
      return;
    default:
      return;
  }
}

// The modes weighted by source alpha, at integer weight w (w != 0).
void BlendWeighted(const RasterBitmap& destination, const RasterBitmap& source,
                   const BlitArea& area, BlendMode operation, int w)
{
  switch (operation)
  {
    case kBlendCopy:
      // The editor's usual blit; its row function reads each group of pixels
      // before writing it, which is safe whenever the walk goes forward.
      if (w == 256 && !WalkBackward(destination, source, area))
      {
        ForEachRow(destination, source, area, SourceAlphaCopyRow);
        return;
      }
      BlendArea(destination, source, area,
                [w](std::uint32_t s, std::uint32_t d) { return SourceAlphaCopy(s, d, w); });
      return;
    case kBlendAdd:
      BlendArea(destination, source, area,
                [w](std::uint32_t s, std::uint32_t d) { return SourceAlphaAdd(s, d, w); });
      return;
    case kBlendColourDodge:
      BlendArea(destination, source, area,
                [w](std::uint32_t s, std::uint32_t d) { return SourceAlphaDodge(s, d, w); });
      return;
    case kBlendMultiply:
      BlendArea(destination, source, area,
                [w](std::uint32_t s, std::uint32_t d) { return SourceAlphaMultiply(s, d, w); });
      return;
    case kBlendOverlay:
      BlendArea(destination, source, area,
                [w](std::uint32_t s, std::uint32_t d) { return SourceAlphaOverlay(s, d, w); });
      return;
    case kBlendHsvAdjust:
      BlendArea(destination, source, area,
                [w](std::uint32_t s, std::uint32_t d) { return SourceAlphaHsvAdjust(s, d, w); });
      return;
    default:
      return;
  }
}
}  // namespace

void BlitBitmap(RasterBitmap* destination, const RasterBitmap* source, int x, int y,
                const RasterRect* sourceRect, float weight, BlendMode mode)
{
  if (destination == nullptr || source == nullptr || weight == 0.0f)
    return;
  BlitArea area{};
  if (!ClipBlit(*destination, *source, x, y, sourceRect, area))
    return;
  if (destination->Bits() == nullptr || source->Bits() == nullptr)
    return;

  if ((mode & kBlendOperationMask) >= 0xF0)
  {
    const int from = 8 * static_cast<int>(mode & 3);
    const int to = 8 * static_cast<int>((mode >> 2) & 3);
    BlendArea(*destination, *source, area, [from, to](std::uint32_t s, std::uint32_t d) {
      return (d & ~(0xFFu << to)) | (((s >> from) & 0xFFu) << to);
    });
    return;
  }

  const BlendMode operation = mode & kBlendOperationMask;
  if ((mode & (kBlendSourceAlpha | kBlendOperationMask)) == kBlendCopy)
  {
    if (weight == 1.0f)
    {
      CopyRows(*destination, *source, area);
      return;
    }
    if (weight == 0.5f)
    {
      BlendArea(*destination, *source, area,
                [](std::uint32_t s, std::uint32_t d) { return AverageWords(s, d); });
      return;
    }
  }

  const int w = RasterIntegerWeight(weight);
  if (w == 0)
    return;
  if ((mode & kBlendSourceAlpha) != 0)
    BlendWeighted(*destination, *source, area, operation, w);
  else
    BlendPlain(*destination, *source, area, operation, w);
}
