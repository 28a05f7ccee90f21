#include "engine/VectorTanh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{

// Batches of every length hit the four-lane, two-lane and single tails.
TEST(VectorTanh, AgreesWithTheScalarTanhForEveryBatchLength)
{
  for (int32_t count = 0; count <= 11; ++count)
  {
    std::vector<double> values(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i)
    {
      values[static_cast<std::size_t>(i)] = -3.0 + 0.61 * i;
    }
    std::vector<double> shaped = values;
    TanhArray(shaped.data(), count);
    for (int32_t i = 0; i < count; ++i)
    {
      const double expected = std::tanh(values[static_cast<std::size_t>(i)]);
      ASSERT_NEAR(shaped[static_cast<std::size_t>(i)], expected, 4e-16) << count << " " << i;
    }
  }
}

TEST(VectorTanh, HandlesTheWholeRangeAndSpecialValues)
{
  const double infinity = std::numeric_limits<double>::infinity();
  const double denormal = std::numeric_limits<double>::denorm_min();
  std::vector<double> values = {0.0,   -0.0,  denormal, -1e-300,   1e-9,
                                0.5,   -0.9,  19.0,     25.0,      -40.0,
                                710.0, 1e300, infinity, -infinity, std::nan("")};
  for (double x = -30.0; x <= 30.0; x += 0.37)
  {
    values.push_back(x);
  }
  std::vector<double> shaped = values;
  TanhArray(shaped.data(), static_cast<int32_t>(shaped.size()));
  for (std::size_t i = 0; i < values.size(); ++i)
  {
    const double expected = std::tanh(values[i]);
    if (std::isnan(expected))
    {
      EXPECT_TRUE(std::isnan(shaped[i]));
    }
    else
    {
      EXPECT_NEAR(shaped[i], expected, 4e-16) << values[i];
      EXPECT_LE(std::fabs(shaped[i]), 1.0) << values[i];
    }
  }
  EXPECT_EQ(shaped[0], 0.0);
}

}  // namespace
