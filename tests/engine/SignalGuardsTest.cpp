#include "engine/SignalGuards.h"
#include "engine/StereoPair.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

uint64_t Bits(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Signed zeros, subnormals, both sides of the flush threshold, ordinary and
// huge magnitudes, infinity and NaN.
const double kValues[] = {0.0, -0.0, 0x1p-1074, -0x1p-1060, 0x1.fffffffffffffp-1022, 0x1p-1022,
                          -0x1.fffffffffffffp-1021, 0x1p-1021, -0x1p-1021, 1e-300, -0.75, 1.0,
                          0x1p1000, -std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN()};

} // namespace

// The lane-wise guards round exactly like the scalar ones, and adding
// ScaledFlushed gives the bits of AddFlushed (the DC blocker relies on it).
TEST(SignalGuards, PairGuardsAndScaledFlushedMatchTheScalarAddFlushed)
{
    constexpr double kScale = 0.9997;
    for (const double base : kValues) {
        for (const double raw : kValues) {
            SCOPED_TRACE(testing::Message() << base << " " << raw);
            const double scaled = kScale * raw;
            const double expected = AddFlushed(base, raw, scaled);
            EXPECT_EQ(Bits(base + ScaledFlushed(raw, scaled)), Bits(expected));
            const StereoPair pairRaw{raw, base};
            const StereoPair pairScaled{scaled, kScale * base};
            const StereoPair added = Broadcast(base) + ScaledFlushed(pairRaw, pairScaled);
            const StereoPair flushed = FlushTiny(pairRaw);
            EXPECT_EQ(Bits(added[0]), Bits(expected));
            EXPECT_EQ(Bits(added[1]), Bits(AddFlushed(base, base, kScale * base)));
            EXPECT_EQ(Bits(flushed[0]), Bits(FlushTiny(raw)));
            EXPECT_EQ(Bits(flushed[1]), Bits(FlushTiny(base)));
        }
    }
}
