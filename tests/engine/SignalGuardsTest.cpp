#include "engine/SignalGuards.h"
#include "engine/StereoPair.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

// Adding ScaledFlushed gives the bits of AddFlushed, lane by lane too (the
// DC blocker relies on it): signed zeros, subnormals, both sides of the
// flush threshold, ordinary and huge values, infinity and NaN.
TEST(SignalGuards, AddingScaledFlushedGivesTheBitsOfAddFlushed)
{
  const double values[] = {0.0,
                           -0.0,
                           0x1p-1074,
                           -0x1.fffffffffffffp-1022,
                           0x1p-1021,
                           -0x1p-1021,
                           1e-300,
                           -0.75,
                           0x1p1000,
                           -std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()};
  // NaN sign and payload depend on how the compiler folds the operands.
  const auto same = [](double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
  };
  for (const double base : values)
  {
    for (const double raw : values)
    {
      const double expected = AddFlushed(base, raw, 0.9997 * raw);
      const StereoPair pair =
          Broadcast(base) +
          ScaledFlushed(StereoPair{raw, -raw}, StereoPair{0.9997 * raw, 0.9997 * -raw});
      EXPECT_TRUE(same(base + ScaledFlushed(raw, 0.9997 * raw), expected)) << base << " " << raw;
      EXPECT_TRUE(same(pair[0], expected) && same(pair[1], AddFlushed(base, -raw, 0.9997 * -raw)))
          << base << " " << raw;
    }
  }
}
