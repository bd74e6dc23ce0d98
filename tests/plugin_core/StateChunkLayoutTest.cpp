// Program and bank chunks: byte layout, round trips, headerless and old chunks, clamping, and
// reads of damaged chunks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "tests/plugin_core/TestEffect.h"

namespace {

class StateChunks : public ::testing::Test {
 protected:
  StateChunks() { DefineTestParams(effect); }
  TestEffect effect;
};

void PutNineDoubles(StateChunk* chunk, double first) {
  for (int i = 0; i < 9; ++i)
    chunk->PutDouble(i == 8 ? 1.0 : first + i);
}

TEST_F(StateChunks, ProgramChunkIsHeaderThenNineDoubles) {
  effect.GetParam(0)->SetValue(1.0);
  StateChunk chunk;
  ASSERT_TRUE(effect.BuildStateChunk(&chunk, false));
  ASSERT_EQ(chunk.Size(), 80);
  const unsigned char header[8] = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  EXPECT_EQ(std::memcmp(chunk.Data(), header, 8), 0);
  const unsigned char one[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};  // 1.0, little-endian
  EXPECT_EQ(std::memcmp(chunk.Data() + 8, one, 8), 0);
  const unsigned char two[8] = {0, 0, 0, 0, 0, 0, 0x00, 0x40};  // parameter 2 holds 2.0
  EXPECT_EQ(std::memcmp(chunk.Data() + 24, two, 8), 0);
}

TEST_F(StateChunks, BankOfTwentyPresetsRoundTrips) {
  effect.FillEmptyPresets("-", 1);
  effect.AddPreset("Hot", 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, -8.0, 1);
  effect.FillEmptyPresets("Empty", 20);
  effect.ModifyCurrentPreset("Start");
  StateChunk bank;
  ASSERT_TRUE(effect.BuildStateChunk(&bank, true));
  // Header, then per slot: length, name, flag, 72 bytes of values.
  EXPECT_EQ(bank.Size(), 8 + (4 + 5 + 1 + 72) + (4 + 3 + 1 + 72) + 18 * (4 + 5 + 1 + 72));

  TestEffect restored;
  DefineTestParams(restored);
  EXPECT_EQ(restored.ApplyStateChunk(&bank, true), bank.Size());
  EXPECT_STREQ(restored.GetPresetName(0), "Start");
  EXPECT_STREQ(restored.GetPresetName(1), "Hot");
  EXPECT_STREQ(restored.GetPresetName(19), "Empty");
  for (int slot = 0; slot < 20; ++slot) {
    const StateChunk& a = effect.GetPreset(slot)->values;
    const StateChunk& b = restored.GetPreset(slot)->values;
    ASSERT_EQ(a.Size(), b.Size());
    EXPECT_EQ(std::memcmp(a.Data(), b.Data(), static_cast<size_t>(a.Size())), 0);
  }
  EXPECT_EQ(restored.GetParam(3)->Value(), 3.0);  // current preset 0 loaded
}

TEST_F(StateChunks, HeaderlessChunkIsReadAsOneProgram) {
  StateChunk raw;
  PutNineDoubles(&raw, -1.0);
  EXPECT_EQ(effect.ApplyStateChunk(&raw, false), 72);
  EXPECT_EQ(effect.GetParam(0)->Value(), -1.0);
  EXPECT_EQ(effect.GetParam(8)->Value(), 1.0);

  TestEffect other;
  DefineTestParams(other);
  EXPECT_EQ(other.ApplyStateChunk(&raw, true), 72);
  EXPECT_EQ(other.GetParam(5)->Value(), 4.0);
  double stored = 0;
  other.GetPreset(0)->values.GetDouble(&stored, 5 * 8);
  EXPECT_EQ(stored, 4.0);  // kept in the current preset
}

TEST_F(StateChunks, OlderBankVersionIsReadAsOneProgram) {
  StateChunk bank;
  bank.PutInt32(0x70666674);
  bank.PutInt32(0x0000FFFF);
  PutNineDoubles(&bank, 2.0);
  EXPECT_EQ(effect.ApplyStateChunk(&bank, true), 80);
  EXPECT_EQ(effect.GetParam(0)->Value(), 2.0);
  EXPECT_STREQ(effect.GetPresetName(1), "empty");
}

TEST_F(StateChunks, EmptyStoredNameTakesThePreviousSlotsName) {
  StateChunk bank;
  EffectBase::StartChunk(&bank);
  const char* names[4] = {"A", "B", "Cc", ""};
  for (int slot = 0; slot < 20; ++slot) {
    bank.PutString(slot < 4 ? names[slot] : "Z");
    bank.PutBool(false);
  }
  EXPECT_EQ(effect.ApplyStateChunk(&bank, true), bank.Size());
  EXPECT_STREQ(effect.GetPresetName(2), "Cc");
  EXPECT_STREQ(effect.GetPresetName(3), "Cc");
  // Slot 0 was uninitialised in the chunk: loading it made it a user preset.
  EXPECT_STREQ(effect.GetPresetName(0), "user preset 1");
}

TEST_F(StateChunks, OutOfRangeValuesAreClampedAndThePresetHoldsTheClampedValue) {
  StateChunk bank;
  EffectBase::StartChunk(&bank);
  bank.PutString("Loud");
  bank.PutBool(true);
  bank.PutDouble(50.0);  // range -10..10
  for (int i = 1; i < 9; ++i)
    bank.PutDouble(std::numeric_limits<double>::quiet_NaN());  // NaN takes the default
  EXPECT_EQ(effect.ApplyStateChunk(&bank, true), -1);          // the other slots are missing
  EXPECT_EQ(effect.GetParam(0)->Value(), 10.0);
  EXPECT_EQ(effect.GetParam(4)->Value(), 4.0);
  double stored = 0;
  effect.GetPreset(0)->values.GetDouble(&stored, 0);
  EXPECT_EQ(stored, 10.0);
}

TEST_F(StateChunks, TruncatedValuesLeaveLaterParametersUnchangedAndAnnounceAll) {
  StateChunk chunk;
  chunk.PutDouble(-2.0);
  chunk.PutDouble(-3.0);
  chunk.PutInt32(0);  // half a value
  EXPECT_EQ(effect.UnserializeParams(&chunk, 0), -1);
  EXPECT_EQ(effect.GetParam(1)->Value(), -3.0);
  EXPECT_EQ(effect.GetParam(2)->Value(), 2.0);
  EXPECT_EQ(effect.GetParam(3)->Value(), 3.0);
  EXPECT_EQ(effect.changed, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(StateChunks, ChunkHeaderReading) {
  StateChunk chunk;
  int position = 0;
  chunk.PutInt32(0x70666674);
  EXPECT_EQ(EffectBase::ReadChunkHeader(&chunk, &position), 0);
  EXPECT_EQ(position, -1);  // magic without a version
  chunk.PutInt32(0x00010000);
  position = 0;
  EXPECT_EQ(EffectBase::ReadChunkHeader(&chunk, &position), 0x00010000);
  EXPECT_EQ(position, 8);
  position = 4;
  EXPECT_EQ(EffectBase::ReadChunkHeader(&chunk, &position), 0);
  EXPECT_EQ(position, 4);
}

TEST_F(StateChunks, BadNameLengthsEndTheBankReadAndLongNamesAreCut) {
  for (int32_t length : {-5, 1000, 0x7FFFFFF0}) {
    StateChunk bank;
    EffectBase::StartChunk(&bank);
    bank.PutString("First");
    bank.PutBool(false);
    bank.PutInt32(length);
    bank.PutBytes("xyz", 3);
    EXPECT_EQ(effect.UnserializePresets(&bank, 8), -1) << length;
    EXPECT_STREQ(effect.GetPresetName(2), "empty") << length;
  }

  TestEffect filled;  // long names are cut to the field
  DefineTestParams(filled);
  filled.FillEmptyPresets(nullptr, 20);
  StateChunk bank;
  const std::string longName(400, 'q');
  bank.PutString(longName.c_str());
  EXPECT_EQ(filled.UnserializePresets(&bank, 0), -1);
  EXPECT_EQ(std::strlen(filled.GetPresetName(0)), 255u);
}

}  // namespace
