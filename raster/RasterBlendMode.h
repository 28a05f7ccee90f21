#pragma once

#include <cstdint>

// The mode word of BlitBitmap and FillRectangle: the operation in bits 0-7,
// and bit 16 to weight by the source pixel's alpha (for fills, by the
// colour's alpha).
using BlendMode = std::uint32_t;

constexpr BlendMode kBlendCopy = 0;
constexpr BlendMode kBlendAdd = 1;
constexpr BlendMode kBlendColourDodge = 2;
constexpr BlendMode kBlendMultiply = 3;
constexpr BlendMode kBlendOverlay = 4;
constexpr BlendMode kBlendHsvAdjust = 5;
constexpr BlendMode kBlendOperationMask = 0xFF;
constexpr BlendMode kBlendSourceAlpha = 0x10000;

// BlitBitmap only: copies byte `sourceByte` of each source pixel into byte
// `destinationByte` of the destination pixel (0 blue, 1 green, 2 red, 3 alpha).
constexpr BlendMode BlendChannelCopy(int sourceByte, int destinationByte)
{
  return 0xF0u | (static_cast<BlendMode>(destinationByte & 3) << 2) |
         static_cast<BlendMode>(sourceByte & 3);
}
