// .fxp / .fxb encoding: the byte layout hosts exchange, round trips of all four kinds, and
// damaged files refused without reading past their end.
#include <gtest/gtest.h>

#include <cstring>

#include "host/presets/PresetFile.h"

namespace ferrix::host {
namespace {

std::vector<uint8_t> Be32(uint32_t v) {
  return {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
}

void Append(std::vector<uint8_t>& to, const std::vector<uint8_t>& bytes) {
  to.insert(to.end(), bytes.begin(), bytes.end());
}

std::vector<uint8_t> Text(const char* text) {
  return {text, text + std::strlen(text)};
}

TEST(PresetFile, ProgramWithParametersHasTheStandardBigEndianLayout) {
  PresetFile preset;
  preset.pluginId = 0x41424344;
  preset.pluginVersion = 7;
  preset.programs = {{"Hi", {0.5f, 1.0f}}};

  std::vector<uint8_t> expected = Text("CcnK");
  Append(expected, Be32(56));  // 5 words + 28-byte name + 2 floats
  Append(expected, Text("FxCk"));
  Append(expected, Be32(1));
  Append(expected, Be32(0x41424344));
  Append(expected, Be32(7));
  Append(expected, Be32(2));
  Append(expected, Text("Hi"));
  expected.resize(expected.size() + 26, 0);
  Append(expected, Be32(0x3F000000));  // 0.5f
  Append(expected, Be32(0x3F800000));  // 1.0f
  EXPECT_EQ(EncodePresetFile(preset), expected);
}

TEST(PresetFile, BankChunkCarriesCurrentProgramAndChunkSize) {
  PresetFile preset;
  preset.bank = true;
  preset.opaque = true;
  preset.pluginId = 0x11223344;
  preset.pluginVersion = 3;
  preset.numPrograms = 20;
  preset.currentProgram = 5;
  preset.chunk = {1, 2, 3};
  const std::vector<uint8_t> bytes = EncodePresetFile(preset);
  ASSERT_EQ(bytes.size(), 8u + 148u + 4u + 3u);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 4, bytes.begin() + 8), Be32(155));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 8, bytes.begin() + 12), Text("FBCh"));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 12, bytes.begin() + 16), Be32(2));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 24, bytes.begin() + 28), Be32(20));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 28, bytes.begin() + 32), Be32(5));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 156, bytes.begin() + 160), Be32(3));
  EXPECT_EQ(bytes.back(), 3);
}

TEST(PresetFile, AllFourKindsRoundTrip) {
  PresetFile program;
  program.pluginId = 42;
  program.pluginVersion = 10003;
  program.programs = {{"Loud", {0.0f, 0.25f, 1.0f}}};

  PresetFile programChunk;
  programChunk.opaque = true;
  programChunk.pluginId = 42;
  programChunk.numParams = 9;
  programChunk.programName = "Chunky";
  programChunk.chunk = {9, 8, 7, 6};

  PresetFile bank;
  bank.bank = true;
  bank.pluginId = 42;
  bank.currentProgram = 1;
  bank.programs = {{"A", {0.1f, 0.2f}}, {"B", {0.3f, 0.4f}}};

  PresetFile bankChunk = programChunk;
  bankChunk.bank = true;
  bankChunk.numPrograms = 20;
  bankChunk.programName = "";  // banks have no name

  for (const PresetFile& original : {program, programChunk, bank, bankChunk}) {
    PresetFile back;
    std::string error;
    ASSERT_TRUE(DecodePresetFile(EncodePresetFile(original), back, error)) << error;
    EXPECT_EQ(back.bank, original.bank);
    EXPECT_EQ(back.opaque, original.opaque);
    EXPECT_EQ(back.pluginId, 42);
    EXPECT_EQ(back.chunk, original.chunk);
    EXPECT_EQ(back.programName, original.programName);
    ASSERT_EQ(back.programs.size(), original.programs.size());
    for (size_t i = 0; i < back.programs.size(); ++i) {
      EXPECT_EQ(back.programs[i].name, original.programs[i].name);
      EXPECT_EQ(back.programs[i].params, original.programs[i].params);
    }
  }
}

TEST(PresetFile, VersionOneBankHasNoCurrentProgram) {
  PresetFile bank;
  bank.bank = true;
  bank.currentProgram = 3;
  bank.programs = {{"A", {0.5f}}};
  std::vector<uint8_t> bytes = EncodePresetFile(bank);
  bytes[15] = 1;  // format version 1: the current-program word is reserved
  PresetFile back;
  std::string error;
  ASSERT_TRUE(DecodePresetFile(bytes, back, error));
  EXPECT_EQ(back.currentProgram, 0);
  EXPECT_EQ(back.programs[0].params, std::vector<float>{0.5f});
}

TEST(PresetFile, DamagedFilesAreRefused) {
  PresetFile bank;
  bank.bank = true;
  bank.programs = {{"A", {0.5f, 0.5f}}, {"B", {0.5f, 0.5f}}};
  const std::vector<uint8_t> good = EncodePresetFile(bank);
  PresetFile back;
  std::string error;
  for (size_t cut : {size_t{0}, size_t{7}, size_t{100}, good.size() - 1}) {
    EXPECT_FALSE(
        DecodePresetFile(std::vector<uint8_t>(good.begin(), good.begin() + cut), back, error))
        << "cut at " << cut;
  }
  std::vector<uint8_t> wrongMagic = good;
  wrongMagic[0] = 'X';
  EXPECT_FALSE(DecodePresetFile(wrongMagic, back, error));
  std::vector<uint8_t> wrongKind = good;
  wrongKind[8] = 'Q';
  EXPECT_FALSE(DecodePresetFile(wrongKind, back, error));
  // A program count far beyond the data must fail before anything that large is allocated.
  std::vector<uint8_t> hugeCount = good;
  hugeCount[24] = 0x7F;
  EXPECT_FALSE(DecodePresetFile(hugeCount, back, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace ferrix::host
