#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "effect/Ferrix.h"
#include "effect/FerrixParam.h"

namespace {

std::string Display(const PlugParam* param) {
  char text[64];
  param->FormatCurrent(text, sizeof text);
  return text;
}

struct Row {
  const char* name;
  ParamKind kind;
  double minimum, maximum, step, defaultValue, shape;
  const char* label;
  int precision;
  double normalizedDefault;
};

TEST(FerrixParams, NineParametersExactlyAsTabled) {
  const Row rows[] = {
      {"Input Gain", ParamKind::Double, -22, 22, 0.1, 0, 1, "dB", 1, 0.5},
      {"Output Gain", ParamKind::Double, -22, 22, 0.1, 0, 1, "dB", 1, 0.5},
      {"Threshold-Initial", ParamKind::Double, -44, 0, 0.1, 0, 0.5, "dB", 1, 1.0},
      {"Threshold-End", ParamKind::Double, -44, 0, 0.1, 0, 0.5, "dB", 1, 1.0},
      {"Clip Shape", ParamKind::Double, 0.1, 1, 0.01, 1, 0.5, "", 2, 1.0},
      {"Threshold Time", ParamKind::Double, 1, 1000, 1, 75, 2, "ms", 0, std::sqrt(74.0 / 999.0)},
      {"Link", ParamKind::Bool, 0, 1, 1, 0, 1, "", 0, 0.0},
      {"Fast", ParamKind::Bool, 0, 1, 1, 0, 1, "", 0, 0.0},
      {"Bypass", ParamKind::Bool, 0, 1, 1, 0, 1, "", 0, 0.0},
  };
  Ferrix effect(nullptr);
  ASSERT_EQ(effect.NParams(), 9);
  EXPECT_EQ(effect.NPresets(), 20);
  EXPECT_STREQ(effect.EffectName(), "Tessomar");
  EXPECT_STREQ(effect.VendorName(), "Morvane");
  EXPECT_TRUE(effect.LegalIO(2, 2));
  for (int i = 0; i < 9; ++i) {
    const PlugParam* p = effect.GetParam(i);
    const Row& r = rows[i];
    SCOPED_TRACE(r.name);
    EXPECT_STREQ(p->Name(), r.name);
    EXPECT_EQ(p->Kind(), r.kind);
    EXPECT_EQ(p->Min(), r.minimum);
    EXPECT_EQ(p->Max(), r.maximum);
    EXPECT_EQ(p->Step(), r.step);
    EXPECT_EQ(p->Default(), r.defaultValue);
    EXPECT_EQ(p->Value(), r.defaultValue);
    EXPECT_EQ(p->Shape(), r.shape);
    EXPECT_STREQ(p->Label(), r.label);
    EXPECT_EQ(p->DisplayPrecision(), r.precision);
    EXPECT_NEAR(p->ToNormalized(), r.normalizedDefault, 1e-12);
  }
}

TEST(FerrixParams, DefaultDisplayTexts) {
  Ferrix effect(nullptr);
  EXPECT_EQ(Display(effect.GetParam(kThresholdTime)), "75");
  EXPECT_STREQ(effect.GetParam(kThresholdTime)->LabelText(), "ms");
  EXPECT_EQ(Display(effect.GetParam(kClipShape)), "1.00");
  EXPECT_STREQ(effect.GetParam(kClipShape)->LabelText(), "");
  EXPECT_EQ(Display(effect.GetParam(kInputGain)), "0.0");
  EXPECT_STREQ(effect.GetParam(kInputGain)->LabelText(), "dB");
  EXPECT_EQ(Display(effect.GetParam(kLink)), "off");
  EXPECT_STREQ(effect.GetParam(kLink)->LabelText(), "");
}

TEST(FerrixPresets, FactoryBankByNameAndValues) {
  Ferrix effect(nullptr);                // no host: every request towards it answers 0
  effect.FillEmptyPresets("Empty", 20);  // what the module entry does after construction
  const char* names[] = {"-",
                         "Bass Grit",
                         "Kick",
                         "Snare",
                         "Overhead",
                         "Compr-Saturation",
                         "Master Buss 1",
                         "Master Buss 2",
                         "Reverse Smack"};
  for (int i = 0; i < 9; ++i)
    EXPECT_STREQ(effect.GetPresetName(i), names[i]);
  for (int i = 9; i < 20; ++i)
    EXPECT_STREQ(effect.GetPresetName(i), "Empty");

  ASSERT_TRUE(effect.LoadPreset(1));
  const double bassGrit[] = {4.2, 1.4, -12, -3, 0.78, 90, 0, 0, 0};
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(effect.GetParam(i)->Value(), bassGrit[i]) << i;

  ASSERT_TRUE(effect.LoadPreset(15));
  const double defaults[] = {0, 0, 0, 0, 1, 75, 0, 0, 0};
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(effect.GetParam(i)->Value(), defaults[i]) << i;
}

TEST(FerrixPresets, ComprSaturationTurnsLinkOnWithBothThresholdsAtMinus11) {
  Ferrix effect(nullptr);
  effect.AnnounceAllParams();
  ASSERT_TRUE(effect.LoadPreset(5));
  EXPECT_EQ(effect.GetParam(kLink)->Value(), 1.0);
  EXPECT_EQ(effect.GetParam(kThresholdInitial)->Value(), -11.0);
  EXPECT_EQ(effect.GetParam(kThresholdEnd)->Value(), -11.0);
  EXPECT_TRUE(effect.Processing().link);
  EXPECT_NEAR(effect.Processing().activeThreshold, 0.281838, 1e-6);
}

TEST(FerrixReactions, DecibelsBecomeLinearGains) {
  Ferrix effect(nullptr);
  const ClipShifter& p = effect.Processing();
  EXPECT_EQ(p.inputGain, 0.0);  // until the host opens the effect
  EXPECT_EQ(p.thresholdTime, 0.0);
  effect.AnnounceAllParams();
  EXPECT_EQ(p.inputGain, 1.0);
  EXPECT_EQ(p.outputGain, 1.0);
  EXPECT_EQ(p.thresholdTime, 75.0);
  effect.GetParam(kInputGain)->SetValue(6.0);
  effect.ParamChanged(kInputGain);
  EXPECT_NEAR(p.inputGain, 1.99526, 1e-5);
  effect.GetParam(kOutputGain)->SetValue(-22.0);
  effect.ParamChanged(kOutputGain);
  EXPECT_NEAR(p.outputGain, 0.07943, 1e-5);
  effect.GetParam(kClipShape)->SetValue(0.25);
  effect.ParamChanged(kClipShape);
  EXPECT_EQ(p.clipShape, 0.25);
  effect.ParamChanged(9);  // outside the parameters: nothing
  effect.ParamChanged(-1);
  EXPECT_EQ(p.clipShape, 0.25);
}

TEST(FerrixReactions, ThresholdEndChangeRestartsFromTheInitialThreshold) {
  Ferrix effect(nullptr);
  effect.SetSampleRate(48000.0);
  effect.AnnounceAllParams();
  effect.LoadPreset(1);  // Bass Grit: −12 → −3 dB
  std::vector<double> left(4000, 0.95), right(4000, -0.95);
  double* channels[2] = {left.data(), right.data()};
  effect.ProcessBlockDouble(channels, channels, 4000);
  const ClipShifter& p = effect.Processing();
  ASSERT_GT(p.glidePosition, p.initialThreshold);

  effect.GetParam(kThresholdEnd)->SetValue(-30.0);
  effect.ParamChanged(kThresholdEnd);
  EXPECT_NEAR(p.endThreshold, 0.0316228, 1e-7);
  EXPECT_EQ(p.glidePosition, p.initialThreshold);
  EXPECT_EQ(p.activeThreshold, p.initialThreshold);
  EXPECT_NEAR(p.initialThreshold, 0.251189, 1e-6);
}

TEST(FerrixReactions, ResetPutsReadOutsToTheFloorAndTheThresholdBack) {
  Ferrix effect(nullptr);
  effect.AnnounceAllParams();
  effect.LoadPreset(4);  // Overhead: −6.6 → −19 dB
  std::vector<double> left(2000, 0.9), right(2000, 0.9);
  double* channels[2] = {left.data(), right.data()};
  effect.ProcessBlockDouble(channels, channels, 2000);
  const ClipShifter& p = effect.Processing();
  ASSERT_LT(p.glidePosition, p.initialThreshold);
  effect.ResetState();
  EXPECT_EQ(p.outputLevelLeft, 0.001);
  EXPECT_EQ(p.outputLevelRight, 0.001);
  EXPECT_EQ(p.glidePosition, p.initialThreshold);
  EXPECT_EQ(p.activeThreshold, p.initialThreshold);
}

TEST(FerrixReactions, LinkOnRestartsAndLinkOffChangesNothingElse) {
  Ferrix effect(nullptr);
  effect.AnnounceAllParams();
  effect.LoadPreset(8);  // Reverse Smack: −2.5 → −7 dB
  std::vector<double> left(3000, 0.9), right(3000, 0.9);
  double* channels[2] = {left.data(), right.data()};
  effect.ProcessBlockDouble(channels, channels, 3000);
  const ClipShifter& p = effect.Processing();
  const double moved = p.glidePosition;
  ASSERT_LT(moved, p.initialThreshold);
  effect.GetParam(kLink)->SetValue(0.0);
  effect.ParamChanged(kLink);
  EXPECT_EQ(p.glidePosition, moved);
  effect.GetParam(kLink)->SetValue(1.0);
  effect.ParamChanged(kLink);
  EXPECT_TRUE(p.link);
  EXPECT_EQ(p.glidePosition, p.initialThreshold);
}

}  // namespace
