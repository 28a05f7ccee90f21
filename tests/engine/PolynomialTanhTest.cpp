#include "engine/PolynomialTanh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace
{

using TanhArrayFunction = void (*)(double*, int32_t);

// Error of `value` in units in the last place of the exact tanh, from a long
// double reference (11 more bits than double).
double UlpError(double x, double value)
{
  const long double exact = std::tanh(static_cast<long double>(x));
  const double rounded = static_cast<double>(exact);
  const double ulp = std::nextafter(std::fabs(rounded), std::numeric_limits<double>::infinity()) -
                     std::fabs(rounded);
  return static_cast<double>(std::fabs(static_cast<long double>(value) - exact) / ulp);
}

std::vector<TanhArrayFunction> Variants()
{
  std::vector<TanhArrayFunction> variants = {PolynomialTanhArraySse2};
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma"))
  {
    variants.push_back(PolynomialTanhArrayAvx2);
  }
  return variants;
}

// The largest error over `inputs`, checking odd symmetry on the way.
double LargestError(TanhArrayFunction tanhArray, std::vector<double> inputs)
{
  std::vector<double> shaped = inputs;
  tanhArray(shaped.data(), static_cast<int32_t>(shaped.size()));
  std::vector<double> negated(inputs.size());
  for (std::size_t i = 0; i < inputs.size(); ++i)
  {
    negated[i] = -inputs[i];
  }
  tanhArray(negated.data(), static_cast<int32_t>(negated.size()));
  double largest = 0.0;
  for (std::size_t i = 0; i < inputs.size(); ++i)
  {
    EXPECT_EQ(negated[i], -shaped[i]) << inputs[i];
    largest = std::max(largest, UlpError(inputs[i], shaped[i]));
  }
  return largest;
}

}  // namespace

// Dense sweeps where the formulas meet and where the saturator works, and
// every binade of the exponent range with many points each.
TEST(PolynomialTanh, IsWithinTwoUlpsOverTheWholeRange)
{
  std::vector<double> dense;
  for (double x = 0.0; x < 24.0; x += 1.0 / 4096.0)
  {
    dense.push_back(x);
  }
  for (double x = 0.53; x < 0.57; x += 1e-7)
  {
    dense.push_back(x);
  }
  std::vector<double> binades;
  for (int exponent = -1074; exponent <= 1023; ++exponent)
  {
    for (int step = 0; step < 64; ++step)
    {
      binades.push_back(std::ldexp(1.0 + step / 64.0, exponent));
    }
  }
  for (const TanhArrayFunction tanhArray : Variants())
  {
    const double dense_error = LargestError(tanhArray, dense);
    const double binade_error = LargestError(tanhArray, binades);
    EXPECT_LE(dense_error, 2.0);
    EXPECT_LE(binade_error, 2.0);
    std::printf("largest error: %.3f ulp (dense), %.3f ulp (binades)\n", dense_error, binade_error);
  }
}

TEST(PolynomialTanh, KeepsSignedZeroNanAndSaturatesInfinities)
{
  const double infinity = std::numeric_limits<double>::infinity();
  for (const TanhArrayFunction tanhArray : Variants())
  {
    // Five values: one whole group of four and a partial one.
    double values[] = {-0.0, std::nan(""), infinity, -infinity,
                       std::numeric_limits<double>::denorm_min()};
    tanhArray(values, 5);
    EXPECT_EQ(values[0], 0.0);
    EXPECT_TRUE(std::signbit(values[0]));
    EXPECT_TRUE(std::isnan(values[1]));
    EXPECT_EQ(values[2], 1.0);
    EXPECT_EQ(values[3], -1.0);
    EXPECT_EQ(values[4], std::numeric_limits<double>::denorm_min());
  }
}
