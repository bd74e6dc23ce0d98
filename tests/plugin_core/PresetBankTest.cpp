// EffectBase preset bank: filling, adding, loading, "user preset" numbering and updating.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/plugin_core/TestEffect.h"

namespace {

std::vector<double> StoredValues(const EffectBase& effect, int slot) {
  const StateChunk& chunk = effect.GetPreset(slot)->values;
  std::vector<double> values;
  double value = 0;
  for (int position = 0; (position = chunk.GetDouble(&value, position)) >= 0;)
    values.push_back(value);
  return values;
}

class PresetBank : public ::testing::Test {
 protected:
  PresetBank() { DefineTestParams(effect); }
  EditorLog log;  // outlives the editor the effect owns
  TestEffect effect;
};

TEST_F(PresetBank, StartUpBankHasDefaultsFactoryPresetsAndEmptySlots) {
  effect.FillEmptyPresets("-", 1);
  effect.AddPreset("Hot", 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, -8.0, 1);
  effect.FillEmptyPresets(nullptr, effect.NPresets());
  EXPECT_STREQ(effect.GetPresetName(0), "-");
  EXPECT_STREQ(effect.GetPresetName(1), "Hot");
  EXPECT_STREQ(effect.GetPresetName(2), "Empty");
  EXPECT_STREQ(effect.GetPresetName(19), "Empty");
  EXPECT_TRUE(effect.GetPreset(19)->initialised);
  EXPECT_EQ(StoredValues(effect, 0), (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 7, 0}));
  EXPECT_EQ(StoredValues(effect, 1), (std::vector<double>{1, 2, 3, 4, 5, 6, 7, -8, 1}));
  EXPECT_EQ(effect.GetParam(7)->Value(), 7.0);  // adding does not change the live values
  EXPECT_EQ(effect.CurrentPresetIndex(), 0);

  effect.AddPreset("No room", 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0);
  EXPECT_STREQ(effect.GetPresetName(19), "Empty");
}

TEST_F(PresetBank, LoadPresetReadsAnInitialisedSlot) {
  effect.AddPreset("Hot", 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, -8.0, 1);
  effect.AttachEditor(new RecordingEditor(&log));
  EXPECT_TRUE(effect.LoadPreset(0));
  EXPECT_EQ(effect.GetParam(7)->Value(), -8.0);
  EXPECT_EQ(effect.GetParam(8)->Value(), 1.0);
  EXPECT_EQ(log.plainParams.size(), 9u);  // controls refreshed
  EXPECT_FALSE(effect.LoadPreset(-1));
  EXPECT_FALSE(effect.LoadPreset(20));
}

TEST_F(PresetBank, LoadingAnUninitialisedSlotCapturesTheValuesAsAUserPreset) {
  effect.GetParam(2)->SetValue(-3.5);
  EXPECT_TRUE(effect.LoadPreset(4));
  EXPECT_EQ(effect.CurrentPresetIndex(), 4);
  EXPECT_STREQ(effect.GetPresetName(4), "user preset 1");
  EXPECT_EQ(StoredValues(effect, 4)[2], -3.5);

  effect.GetParam(2)->SetValue(9.0);
  EXPECT_TRUE(effect.LoadPreset(4));  // now initialised: read back
  EXPECT_EQ(effect.GetParam(2)->Value(), -3.5);
  EXPECT_STREQ(effect.GetPresetName(4), "user preset 1");

  EXPECT_TRUE(effect.LoadPreset(9));  // numbered after the slots named like it
  EXPECT_TRUE(effect.LoadPreset(7));
  EXPECT_STREQ(effect.GetPresetName(7), "user preset 3");
}

TEST_F(PresetBank, ModifyCurrentPresetStoresValuesAndRenames) {
  effect.FillEmptyPresets("-", 1);
  effect.GetParam(0)->SetValue(2.5);
  effect.ModifyCurrentPreset();
  EXPECT_EQ(StoredValues(effect, 0)[0], 2.5);
  EXPECT_STREQ(effect.GetPresetName(0), "-");
  effect.ModifyCurrentPreset("");
  EXPECT_STREQ(effect.GetPresetName(0), "-");
  effect.ModifyCurrentPreset("Mine");
  EXPECT_STREQ(effect.GetPresetName(0), "Mine");
  EXPECT_EQ(StoredValues(effect, 0).size(), 9u);

  const std::string longName(300, 'n');
  effect.ModifyCurrentPreset(longName.c_str());
  EXPECT_EQ(std::strlen(effect.GetPresetName(0)), 255u);
}

}  // namespace
