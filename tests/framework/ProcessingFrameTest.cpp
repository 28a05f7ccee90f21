#include "TestEffect.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// Doubles input 0 into output 0, writes input 1 minus 1 into output 1 and
// records every call's frame count.
class GainEffect : public TestEffect
{
public:
  using TestEffect::TestEffect;
  void ProcessDouble(double** in, double** out, int frames) override
  {
    blocks.push_back(frames);
    for (int t = 0; t < frames; ++t)
    {
      out[0][t] = 2.0 * in[0][t];
      out[1][t] = in[1][t] - 1.0;
    }
  }
  std::vector<int> blocks;
};

class Frame : public ::testing::Test
{
protected:
  void SetUp() override
  {
    effect.ResizeBlock(kBlock);
    for (int i = 0; i < 2; ++i)
    {
      effect.SetInputConnected(i, true);
      effect.SetOutputConnected(i, true);
    }
    for (int t = 0; t < kFrames; ++t)
    {
      left[t] = static_cast<float>(t + 1);
      right[t] = static_cast<float>(-t);
    }
  }

  static constexpr int kBlock = 64;
  static constexpr int kFrames = 64;
  GainEffect effect;
  std::vector<float> left = std::vector<float>(kFrames), right = std::vector<float>(kFrames);
  std::vector<float> outL = std::vector<float>(kFrames, 100.0f),
                     outR = std::vector<float>(kFrames, 100.0f);
};
}  // namespace

TEST_F(Frame, SinglePrecisionReplacesOutputs)
{
  const float* in[] = {left.data(), right.data()};
  float* out[] = {outL.data(), outR.data()};
  effect.AttachInputBuffers(in);
  effect.AttachOutputBuffers(out);
  effect.ProcessFrame(kFrames);
  for (int t = 0; t < kFrames; ++t)
  {
    ASSERT_EQ(outL[t], 2.0f * left[t]) << t;
    ASSERT_EQ(outR[t], right[t] - 1.0f) << t;
  }
  EXPECT_EQ(effect.blocks, std::vector<int>{kFrames});
}

TEST_F(Frame, SinglePrecisionAccumulatesInPlace)
{
  // The accumulating path with the host's input buffers reused as outputs.
  float* io[] = {left.data(), right.data()};
  effect.AttachInputBuffers(io);
  effect.AttachOutputBuffers(io);
  effect.ProcessFrame(kFrames, IEffectBase::FloatOutput::Accumulate);
  EXPECT_EQ(left[0], 1.0f + 2.0f);
  EXPECT_EQ(left[9], 10.0f + 20.0f);
  EXPECT_EQ(right[5], -5.0f + (-5.0f - 1.0f));
}

TEST_F(Frame, DoublePrecisionWritesHostBuffersDirectly)
{
  std::vector<double> inL(kFrames, 0.25), inR(kFrames, 3.0), dL(kFrames), dR(kFrames);
  double* in[] = {inL.data(), inR.data()};
  double* out[] = {dL.data(), dR.data()};
  effect.AttachInputBuffers(in);
  effect.AttachOutputBuffers(out);
  effect.ProcessFrame(kFrames);
  EXPECT_EQ(dL[kFrames - 1], 0.5);
  EXPECT_EQ(dR[0], 2.0);
  // After the block the channels no longer point at the host's buffers.
  EXPECT_NE(effect.GetInputData()[0], inL.data());
}

TEST_F(Frame, DisconnectedChannelsUseScratchAndLeaveHostAlone)
{
  effect.SetInputConnected(1, false);
  effect.SetOutputConnected(1, false);
  const float* in[] = {left.data()};
  float* out[] = {outL.data(), outR.data()};
  effect.AttachInputBuffers(in);
  effect.AttachOutputBuffers(out);
  effect.ProcessFrame(kFrames);
  EXPECT_EQ(outL[3], 8.0f);
  EXPECT_EQ(outR, std::vector<float>(kFrames, 100.0f));
  EXPECT_EQ(*effect.GetOutputChannel(1)->data, effect.GetOutputChannel(1)->scratch.data());
  EXPECT_EQ(effect.GetOutputChannel(1)->scratch[0], -1.0);  // silent input minus 1
}

TEST_F(Frame, ChannelRangesTakeTheirOwnBuffers)
{
  // Two single-channel buses feeding outputs 0 and 1.
  float* first[] = {outL.data()};
  float* second[] = {outR.data()};
  const float* in[] = {left.data(), right.data()};
  effect.AttachInputBuffers(in);
  effect.AttachOutputBuffers(first, 0, 1);
  effect.AttachOutputBuffers(second, 1, 1);
  effect.ProcessFrame(kFrames);
  EXPECT_EQ(outL[1], 4.0f);
  EXPECT_EQ(outR[1], -2.0f);
}

TEST_F(Frame, NullHostBufferIsSilence)
{
  const float* in[] = {left.data(), nullptr};
  float* out[] = {outL.data(), outR.data()};
  effect.AttachInputBuffers(in);
  effect.AttachOutputBuffers(out);
  effect.ProcessFrame(kFrames);
  EXPECT_EQ(outR, std::vector<float>(kFrames, -1.0f));
}

TEST_F(Frame, LongBlockIsProcessedInPiecesOfTheBlockSize)
{
  const int frames = 3 * kBlock + 10;
  std::vector<float> inL(frames), inR(frames, 0.0f), oL(frames), oR(frames);
  for (int t = 0; t < frames; ++t)
    inL[t] = static_cast<float>(t);
  const float* in[] = {inL.data(), inR.data()};
  float* out[] = {oL.data(), oR.data()};
  effect.AttachInputBuffers(in);
  effect.AttachOutputBuffers(out);
  effect.ProcessFrame(frames);
  EXPECT_EQ(effect.blocks, (std::vector<int>{kBlock, kBlock, kBlock, 10}));
  for (int t = 0; t < frames; ++t)
    ASSERT_EQ(oL[t], 2.0f * t) << t;
}

TEST(FrameWithoutBlockSize, SilencesOutputsInsteadOfWritingPastScratch)
{
  GainEffect effect;
  effect.SetOutputConnected(0, true);
  std::vector<float> out(16, 5.0f);
  float* outs[] = {out.data()};
  effect.AttachOutputBuffers(outs, 0, 1);
  effect.ProcessFrame(16);
  EXPECT_EQ(out, std::vector<float>(16, 0.0f));
  EXPECT_TRUE(effect.blocks.empty());
}

TEST_F(Frame, BypassWithoutLatencyPassesInputThrough)
{
  effect.CreateBypassDelayLine();
  effect.SetBypassed(true);
  const float* in[] = {left.data(), right.data()};
  float* out[] = {outL.data(), outR.data()};
  effect.AttachInputBuffers(in);
  effect.AttachOutputBuffers(out);
  effect.ProcessFrame(kFrames);
  EXPECT_EQ(outL, left);
  EXPECT_EQ(outR, right);
  EXPECT_TRUE(effect.blocks.empty());
}

TEST_F(Frame, BypassWithLatencyDelaysByLatency)
{
  effect.CreateBypassDelayLine();
  effect.ChangeLatency(64);
  EXPECT_EQ(effect.GetLatency(), 64);
  EXPECT_EQ(effect.GetBypassDelayLine()->Length(), 64u);
  effect.SetBypassed(true);

  std::vector<double> inL(2 * kFrames), dL(2 * kFrames, 7.0), inR(2 * kFrames, 0.0),
      dR(2 * kFrames);
  for (size_t t = 0; t < inL.size(); ++t)
    inL[t] = static_cast<double>(t) + 1.0;
  effect.ResizeBlock(2 * kFrames);
  double* in[] = {inL.data(), inR.data()};
  double* out[] = {dL.data(), dR.data()};
  effect.AttachInputBuffers(in);
  effect.AttachOutputBuffers(out);
  effect.ProcessFrame(2 * kFrames);
  for (int t = 0; t < 2 * kFrames; ++t)
    ASSERT_EQ(dL[t], t < 64 ? 0.0 : inL[t - 64]) << t;
}

TEST_F(Frame, ResizeBlockKeepsOrZeroesScratch)
{
  IInputChannel* input = effect.GetInputChannel(0);
  ASSERT_EQ(input->scratch.size(), static_cast<size_t>(kBlock));
  input->scratch[1] = 4.0;
  effect.ResizeBlock(kBlock);
  EXPECT_EQ(input->scratch[1], 4.0);
  effect.ResizeBlock(32);
  EXPECT_EQ(effect.GetBlockSize(), 32);
  EXPECT_EQ(input->scratch, std::vector<double>(32, 0.0));
  EXPECT_EQ(effect.GetOutputChannel(1)->scratch.size(), 32u);
  EXPECT_EQ(*input->data, input->scratch.data());

  effect.GetOutputChannel(0)->scratch[3] = 1.0;
  effect.ZeroScratchBuffers();
  EXPECT_EQ(effect.GetOutputChannel(0)->scratch[3], 0.0);
}

TEST(DefaultProcessing, PassThroughCopiesAndZeroesExtraOutputs)
{
  TestEffect stereo;
  std::vector<double> a = {1, 2}, b = {3, 4}, x(2, 9.0), y(2, 9.0);
  double* in[] = {a.data(), b.data()};
  double* out[] = {x.data(), y.data()};
  stereo.ProcessDouble(in, out, 2);
  EXPECT_EQ(x, a);
  EXPECT_EQ(y, b);

  TestEffect mono(TestEffect::Config(1, 1, "1-2"));
  x.assign(2, 9.0);
  y.assign(2, 9.0);
  mono.ProcessDouble(in, out, 2);
  EXPECT_EQ(x, a);
  EXPECT_EQ(y, (std::vector<double>{0, 0}));

  std::vector<float> f = {1, 2}, g(2, 9.0f), h(2, 9.0f);
  float* fin[] = {f.data()};
  float* fout[] = {g.data(), h.data()};
  mono.ProcessFloat(fin, fout, 2);
  EXPECT_EQ(g, f);
  EXPECT_EQ(h, (std::vector<float>{0, 0}));
}

TEST(DefaultProcessing, NegativeLatencyIsZero)
{
  TestEffect effect;
  effect.CreateBypassDelayLine();
  effect.ChangeLatency(-5);
  EXPECT_EQ(effect.GetLatency(), 0);
  EXPECT_EQ(effect.GetBypassDelayLine()->Length(), 0u);
}
