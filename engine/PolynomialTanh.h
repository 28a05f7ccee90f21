#pragma once

#include <cstdint>

// A vectorised tanh of our own for C libraries without a vector math library
// (mingw-w64): four lanes at a time, compiled for the SSE2 baseline and for
// AVX2 with FMA. Accurate to 2 units in the last place over the whole double
// range (measured at most 1.56 against long double over dense sweeps, see
// tests/engine/PolynomialTanhTest.cpp); tanh(-x) = -tanh(x) exactly, -0 and
// NaN pass through, infinities give +-1. The two variants round some values
// differently. Call the AVX2 one only where the processor has AVX2 and FMA.
void PolynomialTanhArraySse2(double* values, int32_t count);
void PolynomialTanhArrayAvx2(double* values, int32_t count);
