// UTF-8 text as the editor handles it: decoded character by character with
// Utf8Decode, then measured and drawn with DrawString by a plain font and by
// a vertical outline font.
//
// Input: one byte of DrawString flags (alignment, single line, no clip) and
// then the text, which may lack its NUL.
#include "raster/RasterCachedFont.h"
#include "raster/RasterFontCache.h"
#include "raster/RasterMemBitmap.h"
#include "raster/RasterUtf8.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace
{
RasterFont& PlainFont()
{
  static RasterFont* const font = [] {
    RasterFontStyle style;
    style.name = "Arial";
    style.size = 14;
    RasterFont* const made = RasterFontCacheGetOrCreate(style);
    FuzzCheck(made != nullptr, "no font for Arial");
    return made;
  }();
  return *font;
}

RasterFont& EffectFont()
{
  static const std::unique_ptr<RasterCachedFont> font = [] {
    RasterFontRequest request;
    request.name = "Arial";
    request.height = 12;
    const RasterFontHandle handle = RasterCreateFontHandle(request);
    FuzzCheck(handle != nullptr, "no font handle for Arial");
    auto made = std::make_unique<RasterCachedFont>();
    made->SetFromFontHandle(handle, kRasterFontOwnsHandle | kRasterFontVertical |
                                        kRasterFontOutline | kRasterFontBlur);
    return made;
  }();
  return *font;
}

// Decodes the whole text with an explicit length: every step consumes one to
// four bytes and never more than are left.
void CheckDecoding(const char* text, int length)
{
  for (int used = 0; used < length;)
  {
    std::uint16_t code = 0;
    const int step = Utf8Decode(text + used, code, length - used);
    FuzzCheck(step >= 1 && step <= 4 && step <= length - used,
              "Utf8Decode consumed a wrong byte count");
    FuzzCheck(step != 4 || code == 32, "a four-byte sequence did not become a space");
    used += step;
  }
}

void CheckDrawing(RasterFont& font, const char* text, int length, std::uint32_t flags)
{
  RasterRect measured{10, 20, 10, 20};
  font.DrawString(nullptr, text, length, measured, flags | kRasterTextMeasure);
  FuzzCheck(measured.left == 10 && measured.top == 20 && measured.right >= 10 &&
                measured.bottom >= 20,
            "measuring moved the rectangle's origin or gave a negative extent");

  RasterMemBitmap bitmap(64, 24);
  RasterRect rect{2, 2, 60, 22};
  font.DrawString(&bitmap, text, length, rect, flags);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 1)
    return 0;
  constexpr std::uint32_t kFlagChoices[] = {kRasterTextCentre,         kRasterTextRight,
                                            kRasterTextVerticalCentre, kRasterTextBottom,
                                            kRasterTextSingleLine,     kRasterTextNoClip};
  std::uint32_t flags = kRasterTextNoNative;
  for (size_t bit = 0; bit < std::size(kFlagChoices); ++bit)
  {
    if ((data[0] >> bit & 1) != 0)
      flags |= kFlagChoices[bit];
  }
  // The text in memory of exactly its own size, without a terminator.
  const std::vector<char> text(data + 1, data + size);
  const int length = static_cast<int>(text.size());
  CheckDecoding(text.data(), length);
  CheckDrawing(PlainFont(), text.data(), length, flags);
  CheckDrawing(EffectFont(), text.data(), length, flags);

  // The same text with a terminator, measured up to its first NUL.
  const std::string terminated(text.begin(), text.end());
  CheckDrawing(PlainFont(), terminated.c_str(), -1, flags);
  return 0;
}
