#include "engine/EngineBlockLoop.h"
#include "engine/Engine.h"

#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace
{

using engine_test::MakeEngine;
using engine_test::Noise;
using engine_test::Stereo;

struct Setting
{
  const char* name;
  std::vector<std::pair<EngineParam, double>> values;
};

// Every specialisation of the signal loop: each routing, the delay stage on
// and off, and each kind of output (processed with and without the
// saturator, bypass, and the silence of a NaN switch).
const Setting kSettings[] = {
    {"chorus", {{kMainFxOffOn, 1.0}}},
    {"flanger saturated",
     {{kMainFxOffOn, 1.0}, {kQuillwaveMode, 1.0}, {kSaturationGain, 0.6}, {kFilterTone, 0.3}}},
    {"left routing, deep feedback",
     {{kMainFxOffOn, 1.0}, {kMainInputMode, 1.0}, {kQuillwaveFeedback, 1.0}}},
    {"right routing, high-pass", {{kMainFxOffOn, 1.0}, {kMainInputMode, 2.0}, {kFilterTone, 0.9}}},
    {"summed routing, saturated",
     {{kMainFxOffOn, 1.0}, {kMainInputMode, 3.0}, {kSaturationGain, 1.0}}},
    {"halfway switch", {{kMainFxOffOn, 0.5}, {kSaturationGain, 0.4}}},
    {"off", {{kMainFxOffOn, 0.0}}},
    {"NaN switch", {{kMainFxOffOn, std::nan("")}}},
};

// Runs `input` in blocks of `block` frames through `loop`.
Stereo RenderWith(EngineBlockLoop loop, const Setting& setting, const Stereo& input, int32_t block)
{
  const auto engine = MakeEngine(48000.0);
  for (const auto& [index, value] : setting.values)
  {
    engine->paramValues[index] = value;
  }
  Stereo output{std::vector<double>(input.left.size()), std::vector<double>(input.left.size())};
  for (std::size_t start = 0; start < input.left.size(); start += static_cast<std::size_t>(block))
  {
    const auto frames =
        static_cast<int32_t>(std::min<std::size_t>(block, input.left.size() - start));
    EXPECT_EQ(EnginePerformWith(loop, engine.get(), input.left.data() + start,
                                input.right.data() + start, output.left.data() + start,
                                output.right.data() + start, frames),
              0);
  }
  return output;
}

bool BitIdentical(const std::vector<double>& a, const std::vector<double>& b)
{
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

}  // namespace

// The SSE2 and AVX2 compilations of the loop give the same bits, and the
// way a signal is cut into blocks (and so into chunks) changes nothing.
TEST(EngineBlockLoop, VariantsAndBlockSizesGiveIdenticalOutput)
{
  const Stereo input{Noise(3000, 0.8, 1), Noise(3000, 0.8, 2)};
  for (const Setting& setting : kSettings)
  {
    SCOPED_TRACE(setting.name);
    const Stereo reference = RenderWith(EngineRunBlockSse2, setting, input, 512);
    for (const int32_t block : {1, 7, 63, 64, 65, 512, 3000})
    {
      SCOPED_TRACE(block);
      const Stereo sse2 = RenderWith(EngineRunBlockSse2, setting, input, block);
      EXPECT_TRUE(BitIdentical(sse2.left, reference.left) &&
                  BitIdentical(sse2.right, reference.right));
      if (__builtin_cpu_supports("avx2"))
      {
        const Stereo avx2 = RenderWith(EngineRunBlockAvx2, setting, input, block);
        EXPECT_TRUE(BitIdentical(avx2.left, reference.left) &&
                    BitIdentical(avx2.right, reference.right));
      }
    }
  }
}
