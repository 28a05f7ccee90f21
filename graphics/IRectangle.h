#pragma once

#include <algorithm>
#include <cstdint>

// An area of the editor in pixels; right and bottom are exclusive. All four
// edges 0 is the empty rectangle, which contains and overlaps nothing.
struct IRectangle
{
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  bool Empty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }

  bool Contains(int x, int y) const
  {
    return !Empty() && x >= left && x < right && y >= top && y < bottom;
  }

  // This rectangle is A of the overlap test, `other` is B. The test is not
  // symmetric: an A whose right edge touches B's left edge overlaps B, the
  // reverse does not. The draw pass and the bitmap clip rely on it.
  bool Overlaps(const IRectangle& other) const
  {
    return !Empty() && !other.Empty() && right >= other.left && left < other.right &&
           bottom >= other.top && top < other.bottom;
  }

  // The smallest rectangle holding both; an empty operand yields the other.
  IRectangle Union(const IRectangle& other) const
  {
    if (Empty())
      return other;
    if (other.Empty())
      return *this;
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
  }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }

  bool operator==(const IRectangle& other) const
  {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
  bool operator!=(const IRectangle& other) const { return !(*this == other); }
};
