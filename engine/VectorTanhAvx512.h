#pragma once

#include <cstdint>

// Eight-lane tanh over `count` values, a multiple of four; a last group of
// four goes through the same eight-lane function, so every value is shaped
// alike wherever it sits. Compiled for AVX-512: call it only where the
// processor has AVX-512F.
void TanhArrayAvx512(double* values, int32_t count);
