#pragma once

#include "raster/RasterFont.h"
#include "raster/RasterGlyphRecord.h"

#include <cstdint>
#include <vector>

// The font implementation: renders each code once through the platform
// (RasterFontBackend.h) into the shared glyph canvas, keeps its 8-bit
// coverage, and blends glyphs from that cache into any bitmap. ASCII codes
// are found by index, other codes by binary search. The glyphs are kept
// until the font handle changes.
//
// Not locked: a font is used on the editor's user-interface thread only.
class RasterCachedFont : public RasterFont
{
public:
  // Every live font counts towards the shared glyph canvas, which is freed
  // when the last font goes.
  RasterCachedFont();
  ~RasterCachedFont() override;

  void SetFromFontHandle(RasterFontHandle handle, std::int32_t flags) override;
  std::uint32_t SetTextColour(std::uint32_t colour) override;
  std::uint32_t SetBackgroundColour(std::uint32_t colour) override;
  std::uint32_t SetEffectColour(std::uint32_t colour) override;
  std::int32_t SetBackgroundMode(std::int32_t mode) override;
  void SetCombineMode(BlendMode mode, float alpha) override;
  int DrawString(RasterBitmap* bitmap, const char* text, int length, RasterRect& rect,
                 std::uint32_t flags) override;
  std::uint32_t GetTextColour() const override { return textColour; }
  RasterFontHandle GetFontHandle() const override { return fontHandle; }
  std::int32_t GetLineHeight() const override { return lineHeight; }
  bool DrawGlyph(RasterBitmap* bitmap, std::uint16_t code, int x, int y,
                 const RasterRect& clip) override;

  // The glyph of `code`, rendered on first use; null when the code has no
  // record (non-ASCII codes of a font made with kRasterFontAsciiAtOnce).
  const RasterGlyphRecord* Glyph(std::uint16_t code);

private:
  struct TextWalk;

  RasterGlyphRecord* Record(std::uint16_t code);
  void Render(RasterGlyphRecord& record);
  void ClearGlyphs();
  // Walks the text from (x, y), drawing each glyph into `target` when it is
  // set, and records how far the text reaches.
  void Walk(const char* text, int length, std::uint32_t flags, int x, int y, RasterBitmap* target,
            const RasterRect& clip, float weight, TextWalk& walk);
  bool BlendCoverage(RasterBitmap& bitmap, const RasterGlyphRecord& glyph, int x, int y,
                     const RasterRect& clip, float weight);

  std::uint32_t textColour = 0;
  std::uint32_t backgroundColour = 0xFFFFFFFF;
  std::uint32_t effectColour = 0xFFFFFFFF;
  std::int32_t backgroundMode = kRasterBackgroundTransparent;
  BlendMode combineMode = kBlendCopy;
  float alpha = 1.0f;
  std::int32_t fontFlags = 0;
  std::int32_t lineHeight = 0;
  const std::int32_t lineSpacing = 0;
  RasterGlyphRecord ascii[128];
  std::vector<RasterGlyphRecord> extended;
  std::vector<std::uint8_t> glyphBuffer;
  RasterFontHandle fontHandle = nullptr;
};
