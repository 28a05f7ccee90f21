#pragma once

#include <cstdint>

// Text shown instead of the number when a parameter's value, truncated toward
// zero, equals `value`. An empty text counts as no entry.
struct IDisplayText
{
  int32_t value = 0;
  char text[32] = {};
};

static_assert(sizeof(IDisplayText) == 36, "a display text entry is 36 bytes");
