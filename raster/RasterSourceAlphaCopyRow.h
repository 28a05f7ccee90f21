#pragma once

#include <cstdint>

// The copy weighted by source alpha at full weight (SourceAlphaCopy with
// w = 256) over one row of `count` pixels, with the same result for every
// pixel. Pixels are read before they are written four at a time, so the
// rows may overlap only when the destination does not start after the
// source.
void SourceAlphaCopyRow(std::uint32_t* destination, const std::uint32_t* source, int count);
