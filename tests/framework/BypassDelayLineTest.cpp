#include "framework/BypassDelayLine.h"

#include <gtest/gtest.h>

#include <vector>

TEST(BypassDelayLine, DelaysEachChannelByItsLength)
{
  BypassDelayLine line(2, 2);
  ASSERT_TRUE(line.SetLength(3));
  std::vector<double> inL = {1, 2, 3, 4, 5}, inR = {-1, -2, -3, -4, -5};
  std::vector<double> outL(5, 9.0), outR(5, 9.0);
  double* in[] = {inL.data(), inR.data()};
  double* out[] = {outL.data(), outR.data()};
  line.Process(in, out, 5);
  EXPECT_EQ(outL, (std::vector<double>{0, 0, 0, 1, 2}));
  EXPECT_EQ(outR, (std::vector<double>{0, 0, 0, -1, -2}));
  // The line continues across blocks.
  line.Process(in, out, 2);
  EXPECT_EQ(outL[0], 3.0);
  EXPECT_EQ(outL[1], 4.0);
}

TEST(BypassDelayLine, InPlaceBuffersAreDelayedCorrectly)
{
  BypassDelayLine line(1, 1);
  ASSERT_TRUE(line.SetLength(2));
  std::vector<double> buffer = {1, 2, 3, 4};
  double* io[] = {buffer.data()};
  line.Process(io, io, 4);
  EXPECT_EQ(buffer, (std::vector<double>{0, 0, 1, 2}));
}

TEST(BypassDelayLine, ZeroLengthCopiesAndResizingRestarts)
{
  BypassDelayLine line(1, 2);
  std::vector<double> in = {1, 2}, out0(2, 9.0), out1(2, 9.0);
  double* ins[] = {in.data()};
  double* outs[] = {out0.data(), out1.data()};
  line.Process(ins, outs, 2);
  EXPECT_EQ(out0, in);
  EXPECT_EQ(out1, (std::vector<double>{9.0, 9.0}));  // no input for channel 1

  ASSERT_TRUE(line.SetLength(1));
  line.Process(ins, outs, 2);
  ASSERT_TRUE(line.SetLength(1));  // a new length forgets what was stored
  line.Process(ins, outs, 1);
  EXPECT_EQ(out0[0], 0.0);
  EXPECT_EQ(line.Length(), 1u);
}
