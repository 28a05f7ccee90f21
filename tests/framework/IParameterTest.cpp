#include "framework/IParameter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace
{
std::string Text(const IParameter& param)
{
  char text[IParameter::kTextSize];
  param.GetDisplayText(text);
  return text;
}

IParameter MakeInt(double min, double max)
{
  IParameter param;
  param.InitInt("Steps", 0, static_cast<int>(min), static_cast<int>(max));
  return param;
}
}  // namespace

TEST(IParameterInit, DoubleSetsRangeNamesAndPrecision)
{
  IParameter param;
  param.InitDouble("FilterTone", 0.5, 0.0, 1.0, 0.00001, "Hz", "Tone");
  EXPECT_EQ(param.Kind(), IParameterKind::Double);
  EXPECT_EQ(param.Value(), 0.5);
  EXPECT_EQ(param.DefaultValue(), 0.5);
  EXPECT_EQ(param.DisplayPrecision(), 5);
  EXPECT_STREQ(param.GetNameForHost(), "FilterTone");
  EXPECT_STREQ(param.Label(), "Hz");
  EXPECT_STREQ(param.Group(), "Tone");
}

TEST(IParameterInit, MaxIsRaisedToMinPlusStep)
{
  IParameter param;
  param.InitDouble("Empty", 0.0, 0.0, 0.0, 1.0);
  EXPECT_EQ(param.Max(), 1.0);

  IParameter channel;
  channel.InitDouble("MidiChannelInput", 1.0, 1.0, 1.0, 0.00001);
  EXPECT_DOUBLE_EQ(channel.Max(), 1.00001);
}

TEST(IParameterInit, PrecisionFollowsStepDecimals)
{
  const struct
  {
    double step;
    int precision;
  } cases[] = {{0.00001, 5}, {0.5, 1}, {1.0, 0}, {0.25, 2}, {2.0, 0}, {1.0 / 3.0, 6}};
  for (const auto& c : cases)
  {
    IParameter param;
    param.InitDouble("P", 0.0, 0.0, 10.0, c.step);
    EXPECT_EQ(param.DisplayPrecision(), c.precision) << "step " << c.step;
  }
}

TEST(IParameterInit, ZeroShapeKeepsPreviousShapeAndKindIsKept)
{
  IParameter param;
  param.InitDouble("P", 0.0, 0.0, 100.0, 1.0, "", "", 2.0);
  param.InitDouble("P", 0.0, 0.0, 100.0, 1.0, "", "", 0.0);
  EXPECT_EQ(param.Shape(), 2.0);

  const IParameter steps = MakeInt(0, 10);
  EXPECT_EQ(steps.Kind(), IParameterKind::Int);
  EXPECT_EQ(steps.Step(), 1.0);
}

TEST(IParameterInit, BoolAndEnumAreListsWithTexts)
{
  IParameter toggle;
  toggle.InitBool("Switch", true);
  EXPECT_EQ(toggle.Kind(), IParameterKind::Bool);
  EXPECT_EQ(toggle.Value(), 1.0);
  EXPECT_EQ(Text(toggle), "on");
  ASSERT_EQ(toggle.DisplayTextCount(), 2);
  EXPECT_STREQ(toggle.DisplayTextAt(0)->text, "off");
  EXPECT_EQ(toggle.DisplayTextAt(2), nullptr);

  IParameter mode;
  mode.InitEnum("Mode", 2, 4);
  mode.AddDisplayText(2, "Wide");
  EXPECT_EQ(mode.Kind(), IParameterKind::Enum);
  EXPECT_EQ(mode.Max(), 3.0);
  EXPECT_EQ(Text(mode), "Wide");
}

TEST(IParameterConversion, DoubleKeepsUnroundedValue)
{
  IParameter param;
  param.InitDouble("P", 0.0, 0.0, 1.0, 0.00001);
  param.SetNormalized(0.123456789);
  EXPECT_EQ(param.Value(), 0.123456789);
}

TEST(IParameterConversion, OtherKindsRoundHalfUpToStep)
{
  IParameter param = MakeInt(0, 10);
  param.SetNormalized(0.44);
  EXPECT_EQ(param.Value(), 4.0);
  param.SetNormalized(0.45);
  EXPECT_EQ(param.Value(), 5.0);
}

TEST(IParameterConversion, UpperClampOnlyAndNonFiniteIgnored)
{
  IParameter param;
  param.InitDouble("P", 0.5, 0.0, 1.0, 0.00001);
  param.SetNormalized(1.0000001);
  EXPECT_EQ(param.Max(), param.Value());
  param.SetNormalized(-0.1);
  EXPECT_DOUBLE_EQ(param.Value(), -0.1);

  param.SetNormalized(0.25);
  param.SetNormalized(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(param.Value(), 0.25);
  param.SetNormalized(-std::numeric_limits<double>::infinity());
  EXPECT_EQ(param.Value(), 0.25);
}

TEST(IParameterConversion, ShapedCurveIsInvertible)
{
  IParameter param;
  param.InitDouble("P", 0.0, 0.0, 100.0, 0.00001, "", "", 2.0);
  EXPECT_DOUBLE_EQ(param.GetNormalized(25.0), 0.5);
  param.SetNormalized(0.5);
  EXPECT_DOUBLE_EQ(param.Value(), 25.0);
  EXPECT_DOUBLE_EQ(param.FromNormalized(0.5), 25.0);
  EXPECT_DOUBLE_EQ(param.GetNormalized(), 0.5);
}

TEST(IParameterConversion, NormalizedOfPlainIsClampedAndNaNSafe)
{
  IParameter param;
  param.InitDouble("P", 0.0, -1.0, 10000.0, 0.00001);
  EXPECT_EQ(param.GetNormalized(-5.0), 0.0);
  EXPECT_EQ(param.GetNormalized(20000.0), 1.0);
  EXPECT_EQ(param.GetNormalized(std::numeric_limits<double>::quiet_NaN()), 0.0);
  EXPECT_EQ(param.FromNormalized(0.0), -1.0);
  EXPECT_EQ(param.FromNormalized(1.0), 10000.0);
}

TEST(IParameterConversion, PlainClampedLimitsAndReplacesNaN)
{
  IParameter param;
  param.InitDouble("P", 0.25, 0.0, 1.0, 0.00001);
  param.SetPlainClamped(5.0);
  EXPECT_EQ(param.Value(), 1.0);
  param.SetPlainClamped(-5.0);
  EXPECT_EQ(param.Value(), 0.0);
  param.SetPlainClamped(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(param.Value(), 0.25);
}

TEST(IParameterDisplay, IntegersTruncateTowardZero)
{
  IParameter param;
  param.InitDouble("P", 3.7, -10.0, 10.0, 1.0);
  EXPECT_EQ(Text(param), "3");
  param.SetPlainClamped(-3.7);
  EXPECT_EQ(Text(param), "-3");
  param.SetPlainClamped(-0.5);
  EXPECT_EQ(Text(param), "0");
}

TEST(IParameterDisplay, NegatedWithPrecision)
{
  IParameter param;
  param.InitDouble("P", 6.0, 0.0, 10.0, 0.5);
  param.SetNegateDisplay(true);
  EXPECT_EQ(Text(param), "-6.0");
  param.SetPlainClamped(0.0);
  EXPECT_EQ(Text(param), "0.0");
}

TEST(IParameterDisplay, FivePrecisionAsHostsSeeIt)
{
  IParameter param;
  param.InitDouble("HostTempoBpm", 120.0, 0.0, 1000.0, 0.00001);
  EXPECT_EQ(Text(param), "120.00000");
  char text[IParameter::kTextSize];
  IParameter range;
  range.InitDouble("P", 0.0, 0.0, 100.0, 0.00001);
  range.GetDisplayText(0.25, true, true, text);
  EXPECT_STREQ(text, "25.00000");
}

TEST(IParameterDisplay, DisplayTextsReplaceNumberAndLabel)
{
  IParameter param;
  param.InitDouble("Power", 1.0, 0.0, 2.0, 1.0, "dB");
  param.AddDisplayText(0, "Off");
  param.AddDisplayText(1, "On");
  EXPECT_EQ(Text(param), "On");
  EXPECT_STREQ(param.GetLabelForHost(), "");

  param.SetPlainClamped(2.0);
  EXPECT_EQ(Text(param), "2");
  EXPECT_STREQ(param.GetLabelForHost(), "dB");

  char text[IParameter::kTextSize];
  param.GetDisplayText(1.0, false, false, text);
  EXPECT_STREQ(text, "1");
  param.GetDisplayText(0.0, true, true, text);
  EXPECT_STREQ(text, "Off");
}

TEST(IParameterDisplay, EmptyTextAndUnrepresentableValuesShowNumbers)
{
  IParameter param;
  param.InitDouble("P", 0.0, -1e12, 1e12, 1.0);
  param.AddDisplayText(0, "");
  param.AddDisplayText(2147483647, "Top");
  EXPECT_EQ(Text(param), "0");
  param.SetPlainClamped(5e9);
  EXPECT_EQ(Text(param), "5000000000");
  EXPECT_EQ(param.FindDisplayText(std::numeric_limits<double>::quiet_NaN()), nullptr);
  EXPECT_STREQ(param.FindDisplayText(2147483647.9), "Top");
}

TEST(IParameterDisplay, LongTextsAreCutToField)
{
  IParameter param;
  const std::string longName(40, 'n');
  param.InitDouble(longName.c_str(), 0.0, 0.0, 1.0, 1.0);
  param.AddDisplayText(0, longName.c_str());
  EXPECT_EQ(std::string(param.GetNameForHost()), std::string(31, 'n'));
  EXPECT_EQ(Text(param), std::string(31, 'n'));
}
