#pragma once

#include <algorithm>
#include <cstdint>

// A straight-alpha colour with channels 0..255.
struct IColour
{
  int32_t alpha = 255;
  int32_t red = 0;
  int32_t green = 0;
  int32_t blue = 0;

  // The pixel word alpha << 24 | red << 16 | green << 8 | blue. Channels
  // outside 0..255 are limited so that one cannot spill into its neighbour.
  uint32_t Word() const
  {
    return Channel(alpha) << 24 | Channel(red) << 16 | Channel(green) << 8 | Channel(blue);
  }

  bool operator==(const IColour& other) const
  {
    return alpha == other.alpha && red == other.red && green == other.green && blue == other.blue;
  }

private:
  static uint32_t Channel(int32_t value)
  {
    return static_cast<uint32_t>(std::clamp(value, 0, 255));
  }
};
