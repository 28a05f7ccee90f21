// Rendering one glyph into the font's coverage cache: the platform draws the
// character white on black into the glyph canvas, and the cell's red channel
// becomes 8-bit coverage.
#include "raster/RasterCachedFont.h"

#include "raster/RasterBlit.h"
#include "raster/RasterGlyphCanvas.h"
#include "raster/RasterPixel.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

namespace
{
// Larger fonts are not rendered through the glyph cache.
constexpr std::int32_t kLargestLineHeight = 1023;
// Coverage above this counts as ink for mono and effect fonts.
constexpr std::uint8_t kInkThreshold = 130;
constexpr std::uint8_t kInk = 255;
constexpr std::uint8_t kEffect = 128;

// A coverage image being worked on, row by row.
struct Coverage
{
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  std::uint8_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint8_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Each pixel becomes half itself plus an eighth of each of its four
// neighbours; a missing neighbour on the border lends its share to the one
// opposite it.
void Blur(Coverage& image)
{
  if (image.width < 2 || image.height < 2)
    return;
  const Coverage source = image;
  for (int y = 0; y < image.height; ++y)
  {
    for (int x = 0; x < image.width; ++x)
    {
      const int left = x > 0 ? source.At(x - 1, y) : source.At(x + 1, y);
      const int right = x + 1 < image.width ? source.At(x + 1, y) : source.At(x - 1, y);
      const int up = y > 0 ? source.At(x, y - 1) : source.At(x, y + 1);
      const int down = y + 1 < image.height ? source.At(x, y + 1) : source.At(x, y - 1);
      image.At(x, y) =
          static_cast<std::uint8_t>((4 * source.At(x, y) + left + right + up + down) / 8);
    }
  }
}

// A quarter turn: clockwise for top-down vertical text, counter-clockwise
// for bottom-up.
Coverage Turn(const Coverage& image, bool bottomUp)
{
  Coverage turned;
  turned.width = image.height;
  turned.height = image.width;
  turned.pixels.resize(image.pixels.size());
  for (int y = 0; y < turned.height; ++y)
  {
    for (int x = 0; x < turned.width; ++x)
      turned.At(x, y) =
          bottomUp ? image.At(image.width - 1 - y, x) : image.At(y, image.height - 1 - x);
  }
  return turned;
}

// Coverage becomes on or off; effect fonts then mark with kEffect the empty
// pixels beside ink: to the right and below it for a shadow, all round it
// for an outline.
void Threshold(Coverage& image, std::int32_t fontFlags)
{
  for (std::uint8_t& value : image.pixels)
    value = value > kInkThreshold ? kInk : 0;
  const bool shadow = (fontFlags & kRasterFontShadow) != 0;
  const bool outline = (fontFlags & kRasterFontOutline) != 0;
  if (!shadow && !outline)
    return;
  const auto ink = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < image.width && y < image.height && image.At(x, y) == kInk;
  };
  for (int y = 0; y < image.height; ++y)
  {
    for (int x = 0; x < image.width; ++x)
    {
      if (image.At(x, y) != 0)
        continue;
      const bool marked = outline ? ink(x - 1, y) || ink(x + 1, y) || ink(x, y - 1) || ink(x, y + 1)
                                  : ink(x - 1, y) || ink(x, y - 1) || ink(x - 1, y - 1);
      if (marked)
        image.At(x, y) = kEffect;
    }
  }
}
}  // namespace

void RasterCachedFont::Render(RasterGlyphRecord& record)
{
  if (lineHeight > kLargestLineHeight || fontHandle == nullptr)
    return;
  RasterSysBitmap* const canvas = RasterGlyphCanvas::Acquire(std::max(lineHeight, 1) * 2 + 8);
  if (canvas == nullptr)
    return;

  std::int32_t width = 0;
  std::int32_t height = 0;
  RasterMeasureCharacter(fontHandle, record.code, *canvas, width, height);
  // Room for overhanging ink (italics) beyond the advance.
  std::int32_t cellWidth = width + 2 + (lineHeight >= 16 ? lineHeight / 16 : 0);
  FillRectangle(canvas, 0, 0, cellWidth, height, 0, 1.0f, kBlendCopy);
  RasterDrawCharacter(fontHandle, record.code, *canvas);
  width = std::min(width, canvas->Width());
  cellWidth = std::min(cellWidth, canvas->Width());
  height = std::min(height, canvas->Height());
  if (width < 1 || height < 1)
  {
    record.offset = kRasterGlyphAbsent;
    return;
  }
  record.advance = width;

  try
  {
    Coverage cell;
    cell.width = cellWidth;
    cell.height = height;
    cell.pixels.resize(static_cast<std::size_t>(cellWidth) * height);
    for (int y = 0; y < height; ++y)
    {
      const std::uint32_t* const row = RasterRow(*canvas, y);
      for (int x = 0; x < cellWidth; ++x)
        cell.At(x, y) = static_cast<std::uint8_t>(PixelChannel(row[x], 2));
    }
    if ((fontFlags & kRasterFontBlur) != 0)
      Blur(cell);
    if ((fontFlags & kRasterFontInvert) != 0)
    {
      for (std::uint8_t& value : cell.pixels)
        value = static_cast<std::uint8_t>(255 - value);
    }

    // The glyph is as wide as its advance or its rightmost ink, whichever is more.
    int inkWidth = width;
    for (int y = 0; y < height; ++y)
    {
      for (int x = cellWidth - 1; x >= inkWidth; --x)
      {
        if (cell.At(x, y) != 0)
        {
          inkWidth = x + 1;
          break;
        }
      }
    }
    Coverage glyph;
    glyph.width = inkWidth;
    glyph.height = height;
    glyph.pixels.resize(static_cast<std::size_t>(inkWidth) * height);
    for (int y = 0; y < height; ++y)
    {
      for (int x = 0; x < inkWidth; ++x)
        glyph.At(x, y) = cell.At(x, y);
    }

    if ((fontFlags & kRasterFontVertical) != 0)
      glyph = Turn(glyph, (fontFlags & kRasterFontBottomUp) != 0);
    if ((fontFlags & (kRasterFontMono | kRasterFontShadow | kRasterFontOutline)) != 0)
      Threshold(glyph, fontFlags);

    const std::size_t start = glyphBuffer.size();
    // Offsets are 1-based int32 positions.
    if (glyph.pixels.size() >= static_cast<std::size_t>(INT32_MAX) - start)
    {
      record.offset = kRasterGlyphAbsent;
      return;
    }
    glyphBuffer.insert(glyphBuffer.end(), glyph.pixels.begin(), glyph.pixels.end());
    record.offset = static_cast<std::int32_t>(start + 1);
    record.width = glyph.width;
    record.height = glyph.height;
  }
  catch (const std::bad_alloc&)
  {
    record.offset = kRasterGlyphAbsent;
  }
}
