#include "engine/VectorTanh.h"

#include "engine/PolynomialTanh.h"

void TanhArray(double* values, int32_t count)
{
  static const auto tanhArray = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")
                                    ? PolynomialTanhArrayAvx2
                                    : PolynomialTanhArraySse2;
  tanhArray(values, count);
}
