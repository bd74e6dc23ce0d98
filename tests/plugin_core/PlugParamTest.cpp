// PlugParam: definition, normalised mapping, display text, and the guards against NaN and
// out-of-range input.
#include "plugin_core/PlugParam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string Display(const PlugParam& param) {
  char text[64];
  param.FormatCurrent(text, sizeof text);
  return text;
}

TEST(PlugParam, DisplayPrecisionFollowsTheStep) {
  PlugParam gain;
  gain.DefineDouble("Gain", 0.0, -22.0, 22.0, 0.1, "dB");
  EXPECT_EQ(gain.DisplayPrecision(), 1);
  EXPECT_EQ(Display(gain), "0.0");
  gain.SetValue(4.2);
  EXPECT_EQ(Display(gain), "4.2");

  PlugParam fine;
  fine.DefineDouble("Fine", 0.0, 0.0, 1.0, 0.01, "");
  EXPECT_EQ(fine.DisplayPrecision(), 2);

  PlugParam third;  // 1/3 never ends in decimals
  third.DefineDouble("Third", 0.0, 0.0, 1.0, 1.0 / 3.0, "");
  EXPECT_EQ(third.DisplayPrecision(), 6);
}

TEST(PlugParam, WholeNumberDisplayTruncatesAndDoubleKindIsNotRounded) {
  PlugParam time;
  time.DefineDouble("Time", 10.0, 1.0, 1000.0, 1.0, "ms");
  EXPECT_EQ(time.DisplayPrecision(), 0);
  time.SetFromNormalized((74.9 - 1.0) / 999.0);
  EXPECT_NEAR(time.Value(), 74.9, 1e-9);
  EXPECT_EQ(Display(time), "74");
}

TEST(PlugParam, WholeNumbersAbsorbAFloatRoundTripBelowThem) {
  PlugParam time;
  time.DefineDouble("Time", 90.0, 1.0, 1000.0, 1.0, "ms");
  time.SetShape(2.0);
  time.SetFromNormalized(static_cast<float>(time.ToNormalized()));
  EXPECT_LT(time.Value(), 90.0);  // the value stays as the host left it
  EXPECT_EQ(Display(time), "90");
  // Within a thousandth of a step (here 2) of a whole number, away from zero; value texts alike.
  PlugParam mode;
  mode.DefineDouble("Mode", 0.0, -9.0, 9.0, 2.0, "");
  mode.AddValueText(-3, "low");
  char text[16];
  for (const auto& [value, shown] :
       {std::pair{4.9985, "5"}, std::pair{4.997, "4"}, std::pair{-1.9995, "-2"},
        std::pair{-2.9985, "low"}, std::pair{-0.0005, "0"}, std::pair{0.0, "0"}}) {
    mode.FormatValue(value, false, true, text, sizeof text);
    EXPECT_STREQ(text, shown) << value;
  }
}

TEST(PlugParam, MaximumIsRaisedToMinimumPlusStep) {
  PlugParam param;
  param.DefineDouble("P", 5.0, 5.0, 4.0, 0.5, "");
  EXPECT_EQ(param.Max(), 5.5);
  EXPECT_EQ(param.Kind(), ParamKind::Double);
}

TEST(PlugParam, BoolRoundsHalfUpAndShowsValueTexts) {
  PlugParam bypass;
  bypass.DefineBool("Bypass", false, "");
  EXPECT_EQ(bypass.Kind(), ParamKind::Bool);
  bypass.SetFromNormalized(0.4);
  EXPECT_EQ(bypass.Value(), 0.0);
  EXPECT_EQ(Display(bypass), "off");
  EXPECT_STREQ(bypass.LabelText(), "");
  bypass.SetFromNormalized(0.5);
  EXPECT_EQ(bypass.Value(), 1.0);
  EXPECT_EQ(Display(bypass), "on");
  EXPECT_STREQ(bypass.LabelText(), "");

  char text[16];
  bypass.FormatValue(1.0, false, false, text, sizeof text);
  EXPECT_STREQ(text, "1");
  EXPECT_EQ(bypass.ValueForText("On"), nullptr);  // case-sensitive
  EXPECT_EQ(bypass.ValueForText("on")->value, 1);
}

TEST(PlugParam, ShapeBendsTheNormalisedMapping) {
  PlugParam level;
  level.DefineDouble("Level", 0.0, -44.0, 0.0, 0.1, "dB");
  level.SetShape(0.5);
  level.SetFromNormalized(0.25);
  EXPECT_DOUBLE_EQ(level.Value(), -22.0);
  EXPECT_DOUBLE_EQ(level.ToNormalized(-22.0), 0.25);
  level.SetFromNormalized(1.0);
  EXPECT_EQ(level.Value(), 0.0);

  PlugParam time;
  time.DefineDouble("Time", 10.0, 1.0, 1000.0, 1.0, "ms");
  time.SetShape(2.0);
  time.SetFromNormalized(0.5);
  EXPECT_DOUBLE_EQ(time.Value(), 250.75);

  EXPECT_EQ(time.ToNormalized(-5.0), 0.0);
  EXPECT_EQ(time.ToNormalized(5000.0), 1.0);
}

TEST(PlugParam, LabelTextGivesWayToANonEmptyValueText) {
  PlugParam mode;
  mode.DefineDouble("Mode", 0.0, 0.0, 3.0, 1.0, "x");
  mode.AddValueText(0, "soft");
  mode.AddValueText(1, "");
  mode.AddValueText(0, "ignored");  // the first entry for a value wins
  EXPECT_STREQ(mode.LabelText(), "");
  EXPECT_EQ(Display(mode), "soft");
  mode.SetValue(1.0);  // an empty text shows the number and the label
  EXPECT_STREQ(mode.LabelText(), "x");
  EXPECT_EQ(Display(mode), "1");
  mode.SetValue(2.0);
  EXPECT_STREQ(mode.LabelText(), "x");
  EXPECT_EQ(mode.NValueTexts(), 3);
  EXPECT_EQ(mode.GetValueText(3), nullptr);
}

TEST(PlugParam, NegateDisplayInvertsTheShownNumber) {
  PlugParam gain;
  gain.DefineDouble("Gain", 4.2, -22.0, 22.0, 0.1, "dB");
  gain.SetNegateDisplay(true);
  EXPECT_EQ(Display(gain), "-4.2");
}

TEST(PlugParam, NormalisedValuesOutsideZeroToOneAreClamped) {
  PlugParam level;
  level.DefineDouble("Level", -6.0, -44.0, 0.0, 0.1, "dB");
  level.SetShape(0.5);
  level.SetFromNormalized(kNaN);
  EXPECT_EQ(level.Value(), -44.0);
  level.SetFromNormalized(-0.5);
  EXPECT_EQ(level.Value(), -44.0);
  level.SetFromNormalized(1.5);
  EXPECT_EQ(level.Value(), 0.0);
}

TEST(PlugParam, SetValueClampsAndReplacesNaNByTheDefault) {
  PlugParam gain;
  gain.DefineDouble("Gain", 3.0, -22.0, 22.0, 0.1, "dB");
  gain.SetValue(kNaN);
  EXPECT_EQ(gain.Value(), 3.0);
  gain.SetValue(kInf);
  EXPECT_EQ(gain.Value(), 22.0);
  gain.SetValue(-kInf);
  EXPECT_EQ(gain.Value(), -22.0);
}

TEST(PlugParam, DisplayTextIsBoundedAndNeverConvertsOutOfRangeIntegers) {
  PlugParam time;
  time.DefineDouble("Time", 10.0, 1.0, 1000.0, 1.0, "ms");
  char text[16];
  time.FormatValue(kNaN, false, false, text, sizeof text);
  EXPECT_STREQ(text, "0");
  time.FormatValue(1e300, false, false, text, sizeof text);
  EXPECT_STREQ(text, "2147483647");
  time.FormatValue(-1e300, false, false, text, sizeof text);
  EXPECT_STREQ(text, "-2147483648");

  PlugParam gain;
  gain.DefineDouble("Gain", -21.5, -22.0, 22.0, 0.1, "dB");
  char small[8];
  std::memset(small, '#', sizeof small);
  gain.FormatCurrent(small, 4);
  EXPECT_STREQ(small, "-21");
  EXPECT_EQ(small[4], '#');
}

TEST(PlugParam, DecimalDisplayRoundsToNearestEvenLikeTheCFormat) {
  PlugParam shape;
  shape.DefineDouble("Shape", 1.0, 0.0, 1e300, 0.01, "");
  char text[400];
  // 0.125 and 0.375 are exact in binary: halves go to the even digit.
  for (const auto& [value, shown] :
       {std::pair{0.125, "0.12"}, std::pair{0.375, "0.38"}, std::pair{0.005, "0.01"},
        std::pair{-0.0, "-0.00"}, std::pair{2.675, "2.67"},
        std::pair{1e21, "1000000000000000000000.00"}}) {
    shape.FormatValue(value, false, false, text, sizeof text);
    EXPECT_STREQ(text, shown) << value;
  }
  shape.FormatValue(1e300, false, false, text, sizeof text);
  EXPECT_EQ(std::strlen(text), 304u);
}

}  // namespace
