#pragma once

#include <cstdint>

// Four-lane tanh over the leading multiple of four of `count` values; returns
// how many it replaced. Compiled for AVX2: call it only where the processor
// has AVX2.
int32_t TanhArrayAvx2(double* values, int32_t count);
