#include "tests/vst3/Vst3Fixture.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{
class Vst3State : public vst3test::Vst3Fixture
{
protected:
  void SetValues(double gain, double toggle, double mode, double depth)
  {
    effect->GetParam(0)->SetPlainClamped(gain);
    effect->GetParam(1)->SetPlainClamped(toggle);
    effect->GetParam(2)->SetPlainClamped(mode);
    effect->GetParam(3)->SetPlainClamped(depth);
  }

  std::vector<uint8_t> Bytes(double gain, double toggle, double mode, double depth)
  {
    std::vector<uint8_t> bytes;
    for (double value : {gain, toggle, mode, depth})
      vst3test::AppendDouble(bytes, value);
    return bytes;
  }
};

TEST_F(Vst3State, StateIsTheParameterBlockThenTheBypassFlag)
{
  SetValues(12.5, 1.0, 2.0, 0.75);
  effect->SetBypassed(true);
  pluginhost::ByteStream stream;
  ASSERT_EQ(effect->getState(&stream), kResultOk);
  std::vector<uint8_t> expected = Bytes(12.5, 1.0, 2.0, 0.75);
  vst3test::AppendInt32(expected, 1);
  EXPECT_EQ(stream.bytes, expected);
}

TEST_F(Vst3State, StreamWithoutTheBypassWordRestoresValuesAndReportsFailure)
{
  effect->SetBypassed(true);
  for (tresult endResult : {kResultFalse, kResultOk})
  {
    pluginhost::ByteStream stream(Bytes(40.0, 1.0, 1.0, 0.25));
    stream.endResult = endResult;  // some streams report success with nothing read
    EXPECT_EQ(effect->setState(&stream), kResultFalse);
    EXPECT_DOUBLE_EQ(effect->GetParam(0)->Value(), 40.0);
    EXPECT_DOUBLE_EQ(effect->GetParam(3)->Value(), 0.25);
    EXPECT_TRUE(effect->IsBypassed());
  }
}

TEST_F(Vst3State, ValueCutOffByTheEndOfTheStreamKeepsItsCurrentValue)
{
  SetValues(10.0, 0.0, 0.0, 0.5);
  std::vector<uint8_t> bytes = Bytes(60.0, 1.0, 2.0, 0.125);
  bytes.resize(bytes.size() - 3);
  pluginhost::ByteStream stream(bytes);
  EXPECT_EQ(effect->setState(&stream), kResultFalse);
  EXPECT_DOUBLE_EQ(effect->GetParam(0)->Value(), 60.0);
  EXPECT_DOUBLE_EQ(effect->GetParam(2)->Value(), 2.0);
  EXPECT_DOUBLE_EQ(effect->GetParam(3)->Value(), 0.5);
}

TEST_F(Vst3State, StreamDeliveringInPiecesIsReadWhole)
{
  std::vector<uint8_t> bytes = Bytes(33.0, 0.0, 1.0, 0.5);
  vst3test::AppendInt32(bytes, 7);  // any non-zero flag bypasses
  pluginhost::ByteStream stream(bytes);
  stream.pieceSize = 5;
  ASSERT_EQ(effect->setState(&stream), kResultOk);
  EXPECT_DOUBLE_EQ(effect->GetParam(0)->Value(), 33.0);
  EXPECT_TRUE(effect->IsBypassed());
  EXPECT_EQ(effect->setState(nullptr), kInvalidArgument);
  EXPECT_EQ(effect->getState(nullptr), kInvalidArgument);
}
}  // namespace
