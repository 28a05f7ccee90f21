#pragma once

#include <cstdint>

// Flags of RasterFont::DrawString (the Windows DrawText values where they exist).
constexpr std::uint32_t kRasterTextCentre = 0x1;
constexpr std::uint32_t kRasterTextRight = 0x2;
constexpr std::uint32_t kRasterTextVerticalCentre = 0x4;
constexpr std::uint32_t kRasterTextBottom = 0x8;
constexpr std::uint32_t kRasterTextSingleLine = 0x20;
constexpr std::uint32_t kRasterTextNoClip = 0x100;
// Measure only: nothing is drawn and the rectangle is written back.
constexpr std::uint32_t kRasterTextMeasure = 0x400;
// Multiply the font's alpha by the alpha of the text colour.
constexpr std::uint32_t kRasterTextColourAlpha = 0x40000000;
// Never let the platform draw the text itself.
constexpr std::uint32_t kRasterTextNoNative = 0x80000000;

// Font flags of RasterFont::SetFromFontHandle.
constexpr std::int32_t kRasterFontVertical = 0x1;
constexpr std::int32_t kRasterFontBottomUp = 0x2;
constexpr std::int32_t kRasterFontAsciiAtOnce = 0x4;
constexpr std::int32_t kRasterFontBlur = 0x10;
constexpr std::int32_t kRasterFontInvert = 0x20;
constexpr std::int32_t kRasterFontMono = 0x40;
constexpr std::int32_t kRasterFontShadow = 0x80;
constexpr std::int32_t kRasterFontOutline = 0x100;
constexpr std::int32_t kRasterFontOwnsHandle = 0x200;
constexpr std::int32_t kRasterFontNativeAllowed = 0x400;

// Background modes.
constexpr std::int32_t kRasterBackgroundTransparent = 1;
constexpr std::int32_t kRasterBackgroundOpaque = 2;
