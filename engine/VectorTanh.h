#pragma once

#include <cstdint>

// Replaces each of `count` values with its hyperbolic tangent. The saturator
// shapes of a block are independent of each other, so they are evaluated
// together: with glibc's vector math library where it is available (four
// lanes where the processor has AVX2, two otherwise), with std::tanh
// elsewhere. Every variant is accurate to a few units in the last place.
void TanhArray(double* values, int32_t count);
