#pragma once

#include <cstdint>

// A rectangle in pixels: left and top inside, right and bottom just outside.
struct RasterRect
{
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};
