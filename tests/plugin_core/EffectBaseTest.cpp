// EffectBase: construction, channel-I/O parsing, the editor hand-over and the default
// operations.
#include <gtest/gtest.h>

#include "tests/plugin_core/TestEffect.h"

namespace {

TEST(EffectBase, ConstructionCreatesUndefinedParamsEmptyPresetsAndNullOutsideTheLists) {
  TestEffect effect;
  EXPECT_STREQ(effect.VendorName(), "Morvane");
  EXPECT_EQ(effect.IdentifyHost(), -1);
  EXPECT_EQ(effect.SampleRate(), 44100.0);

  ASSERT_EQ(effect.NParams(), 9);
  EXPECT_EQ(effect.GetParam(8)->Kind(), ParamKind::None);
  EXPECT_EQ(effect.GetParam(-1), nullptr);
  EXPECT_EQ(effect.GetParam(9), nullptr);

  ASSERT_EQ(effect.NPresets(), 20);
  EXPECT_STREQ(effect.GetPresetName(19), "empty");
  EXPECT_FALSE(effect.GetPreset(0)->initialised);
  EXPECT_STREQ(effect.GetPresetName(20), "");
  EXPECT_EQ(effect.GetInput(2), nullptr);
}

TEST(EffectBase, ChannelIOStringGivesPairingsAndChannelCounts) {
  TestEffect effect;
  ASSERT_EQ(effect.NChannelPairings(), 2);
  EXPECT_EQ(effect.GetChannelPairing(0)->inputs, 1);
  EXPECT_EQ(effect.GetChannelPairing(1)->outputs, 2);
  EXPECT_EQ(effect.NInputs(), 2);
  EXPECT_EQ(effect.NOutputs(), 2);
  EXPECT_FALSE(effect.GetInput(0)->connected);

  EXPECT_TRUE(effect.LegalIO(1, -1));
  EXPECT_FALSE(effect.LegalIO(3, -1));
  EXPECT_TRUE(effect.LegalIO(2, 2));
  EXPECT_FALSE(effect.LegalIO(1, 2));
  EXPECT_TRUE(effect.LegalIO(-1, -1));
}

TEST(EffectBase, MalformedChannelTokensYieldZeroPairingsAndParsingGoesOn) {
  TestEffect effect(9, "1-1 stereo 3x 2-4");
  ASSERT_EQ(effect.NChannelPairings(), 4);
  EXPECT_EQ(effect.GetChannelPairing(1)->inputs, 0);
  EXPECT_EQ(effect.GetChannelPairing(1)->outputs, 0);
  EXPECT_EQ(effect.GetChannelPairing(2)->inputs, 3);  // partly read
  EXPECT_EQ(effect.GetChannelPairing(2)->outputs, 0);
  EXPECT_EQ(effect.GetChannelPairing(3)->outputs, 4);
  EXPECT_EQ(effect.NInputs(), 3);
  EXPECT_EQ(effect.NOutputs(), 4);
  EXPECT_TRUE(effect.LegalIO(0, 0));
}

TEST(EffectBase, AnnounceAllParamsReportsEveryIndexInOrder) {
  TestEffect effect;
  effect.AnnounceAllParams();
  EXPECT_EQ(effect.changed, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(EffectBase, AttachEditorPushesNormalisedValuesAndHandsOverOwnership) {
  EditorLog log;
  {
    TestEffect effect;
    DefineTestParams(effect);
    effect.AttachEditor(nullptr);
    EXPECT_EQ(effect.Editor(), nullptr);

    auto* editor = new RecordingEditor(&log);
    effect.AttachEditor(editor);
    EXPECT_EQ(effect.Editor(), editor);
    EXPECT_EQ(log.prepareCalls, 1);
    ASSERT_EQ(log.controlValues.size(), 9u);
    EXPECT_EQ(log.controlValues[0], std::make_pair(0, 0.5));   // 0 on -10..10
    EXPECT_EQ(log.controlValues[5], std::make_pair(5, 0.75));  // 5 on -10..10
    EXPECT_EQ(log.controlValues[8], std::make_pair(8, 0.0));

    effect.RefreshParamControls();  // plain values
    ASSERT_EQ(log.plainParams.size(), 9u);
    EXPECT_EQ(log.plainParams[5], std::make_pair(5, 5.0));
    EXPECT_FALSE(log.destroyed);
  }
  EXPECT_TRUE(log.destroyed);
}

TEST(EffectBase, SetParamFromEditorSetsReportsAndAnnounces) {
  TestEffect effect;
  DefineTestParams(effect);
  effect.SetParamFromEditor(8, 0.6);
  EXPECT_EQ(effect.GetParam(8)->Value(), 1.0);
  ASSERT_EQ(effect.reported.size(), 1u);
  EXPECT_EQ(effect.reported[0], std::make_pair(8, 0.6));
  EXPECT_EQ(effect.changed, std::vector<int>{8});
}

TEST(EffectBase, StateMatchesComparesAsFloatsFromAPosition) {
  TestEffect effect;
  DefineTestParams(effect);
  double values[10] = {99.0, 0, 1, 2, 3, 4, 5, 6, 7, 0};
  EXPECT_TRUE(effect.StateMatches(values, 1));
  values[3] = 2.000001;  // equal as floats within 1e-5
  EXPECT_TRUE(effect.StateMatches(values, 1));
  values[3] = 2.001;
  EXPECT_FALSE(effect.StateMatches(values, 1));
  EXPECT_FALSE(effect.StateMatches(values, 0));
}

}  // namespace
