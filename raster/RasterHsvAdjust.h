#pragma once

#include <cstdint>

// The HSV adjustment of blend mode 5: the red, green and blue of
// `destination` are turned into hue (0..383), saturation and value, shifted
// by the red (hue), green (saturation) and blue (value) of `source` with
// weight w (256 = full), and turned back. Returns the new colour with alpha
// 0; the caller supplies the alpha.
std::uint32_t RasterHsvAdjust(std::uint32_t destination, std::uint32_t source, int w);
