#pragma once

#include <cstdint>

// Replaces each of `count` values with its hyperbolic tangent. The saturator
// shapes of a block are independent of each other, so they are evaluated
// together: with glibc's vector math library where it is available (eight
// lanes for a count of whole frames where the processor has AVX-512, four
// where it has AVX2, two otherwise), and without it (mingw-w64) with our own
// polynomial tanh (PolynomialTanh.h). Every variant is accurate to a few
// units in the last place; the AVX-512 one rounds some values differently
// from the other glibc ones.
void TanhArray(double* values, int32_t count);
