#include "raster/RasterUtf8.h"

namespace
{
bool IsContinuation(unsigned byte)
{
  return byte >= 0x80 && byte <= 0xBF;
}

// True when the `count` bytes after the lead byte exist and are all
// continuation bytes. Reading stops at the first byte that is not one, so a
// NUL ends the check before anything beyond it is read.
bool ContinuationsFollow(const unsigned char* text, int count, int available)
{
  if (available >= 0 && available < count + 1)
    return false;
  for (int i = 1; i <= count; ++i)
  {
    if (!IsContinuation(text[i]))
      return false;
  }
  return true;
}
}  // namespace

int Utf8Decode(const char* text, std::uint16_t& code, int available)
{
  const auto* const bytes = reinterpret_cast<const unsigned char*>(text);
  const unsigned lead = bytes[0];
  if (lead >= 0xC2 && lead <= 0xDF && ContinuationsFollow(bytes, 1, available))
  {
    code = static_cast<std::uint16_t>(((lead << 6) & 0x7FF) | (bytes[1] & 0x3F));
    return 2;
  }
  if (lead >= 0xE0 && lead <= 0xEF && ContinuationsFollow(bytes, 2, available))
  {
    code = static_cast<std::uint16_t>((lead << 12) | ((bytes[1] << 6) & 0xFFF) | (bytes[2] & 0x3F));
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4 && ContinuationsFollow(bytes, 3, available))
  {
    // Codes beyond 16 bits have no glyph here; they show as a space.
    code = 32;
    return 4;
  }
  code = static_cast<std::uint16_t>(lead);
  return 1;
}
