// ferrix-host against hostile input and awkward targets: files whose headers lie, preset "files"
// that are folders or devices, outputs named like folders, targets that cannot be written, and
// value texts a plug-in's parser would half-read. Each case runs the real executable.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "tests/host/HostTestSupport.h"

namespace ferrix::host::testing {
namespace {

constexpr int kSfFormatFlac24 = 0x170003;  // libsndfile: FLAC, 24-bit
constexpr int kSfFormatOggVorbis = 0x200060;

std::set<std::string> FilesIn(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    names.insert(entry.path().filename().string());
  return names;
}

int Lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class HostileInput : public ::testing::Test {
 protected:
  void SetUp() override {
    input = scratch.File("in.wav");
    output = scratch.File("out.wav");
    WriteTestWav(input, TestSignal(2, 3000));
  }
  // A file in another container, or false when this build's libsndfile cannot write it.
  bool WriteAs(const std::string& path, int format) {
    AudioData audio = TestSignal(2, 3000);
    audio.format = format;
    std::string error;
    return WriteAudioFile(path, audio, error);
  }
  void ExpectOneErrorLine(const ProcessResult& r, const std::string& words) {
    EXPECT_EQ(r.exitCode, 1) << words << ": " << r.err;
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_EQ(r.err.rfind("ferrix-host: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(words), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("crashed"), std::string::npos) << r.err;
  }
  ScratchDir scratch;
  std::string input, output;
};

TEST_F(HostileInput, AFlacDeclaringTwoToThe36FramesRendersTheFramesItHolds) {
  const std::string flac = scratch.File("absurd.flac");
  if (!WriteAs(flac, kSfFormatFlac24)) GTEST_SKIP() << "no FLAC in this build";
  // STREAMINFO follows "fLaC" and a 4-byte block header; its total-samples field is the low 36
  // bits of the 8 bytes at offset 18 (after block sizes, frame sizes, rate, channels, bits).
  std::fstream f(flac, std::ios::in | std::ios::out | std::ios::binary);
  char packed[8];
  f.seekg(18);
  f.read(packed, 8);
  packed[3] = static_cast<char>(packed[3] | 0x0F);
  std::fill(packed + 4, packed + 8, static_cast<char>(0xFF));
  f.seekp(18);
  f.write(packed, 8);
  f.close();

  const ProcessResult r = RunHost({"--plugin", GainParamsModule(), flac, output});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Lines(r.err), 1) << r.err;
  EXPECT_NE(r.err.find("ferrix-host: warning: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("ends after 3000 of the 68719476735 frames"), std::string::npos) << r.err;
  EXPECT_EQ(ReadBack(output).Frames(), 3000);
}

TEST_F(HostileInput, AnOggWithStrayBytesAppendedRendersItsAudio) {
  const std::string ogg = scratch.File("stray.ogg");
  if (!WriteAs(ogg, kSfFormatOggVorbis)) GTEST_SKIP() << "no Ogg in this build";
  std::ofstream(ogg, std::ios::binary | std::ios::app) << "stray bytes after the last page";
  const ProcessResult r = RunHost({"--plugin", GainParamsModule(), "--quiet", ogg, output});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadBack(output).Frames(), 3000);
}

TEST_F(HostileInput, PresetFilesThatAreNoFilesOrTooLargeAreTheHostsOwnErrors) {
  const std::string big = scratch.File("big.fxp");
  std::ofstream(big, std::ios::binary) << std::string((8 << 20) + 1, '\0');
  const std::string folder = scratch.File("folder.fxp");
  std::filesystem::create_directory(folder);
  std::vector<std::pair<std::string, std::string>> cases = {
      {folder, "not a regular file"},
      {big, "too large for a preset file"},
      {scratch.File("missing.fxp"), "cannot read the preset file"},
  };
  if (std::filesystem::exists("/dev/zero")) cases.push_back({"/dev/zero", "not a regular file"});
  for (const auto& [path, words] : cases) {
    ExpectOneErrorLine(RunHost({"--plugin", GainParamsModule(), "--load", path, input, output}),
                       words);
    EXPECT_FALSE(std::filesystem::exists(output));
  }
}

TEST_F(HostileInput, OutputsReplaceTheTargetInOneStepAndNeverAFolder) {
  // A folder named like the output (empty, as rmdir would take it) stays, and so do the files
  // beside it, including one named like the old fixed temporary name.
  std::filesystem::create_directory(output);
  const std::string preset = scratch.File("p.fxp");
  std::filesystem::create_directory(preset);
  std::ofstream(scratch.File("out.aiff.partial")) << "someone else's";
  ExpectOneErrorLine(RunHost({"--plugin", GainParamsModule(), input, output}), "is a folder");
  ExpectOneErrorLine(RunHost({"--plugin", GainParamsModule(), "--save", preset}), "is a folder");
  EXPECT_TRUE(std::filesystem::is_directory(output));
  EXPECT_TRUE(std::filesystem::is_directory(preset));

  // Over an existing file: the new content, and nothing else left in the folder.
  const std::string aiff = scratch.File("out.aiff");
  std::ofstream(aiff) << "old";
  const std::string fxb = scratch.File("bank.fxb");
  std::ofstream(fxb) << "old";
  const ProcessResult r =
      RunHost({"--plugin", GainParamsModule(), "--quiet", "--save", fxb, input, aiff});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadBack(aiff).Frames(), 3000);
  EXPECT_EQ(ReadTextFile(fxb).substr(0, 4), "CcnK");
  EXPECT_EQ(ReadTextFile(scratch.File("out.aiff.partial")), "someone else's");
  EXPECT_EQ(FilesIn(scratch.File("")),
            (std::set<std::string>{"in.wav", "out.wav", "p.fxp", "out.aiff", "out.aiff.partial",
                                   "bank.fxb"}));
}

TEST_F(HostileInput, EveryTargetIsCheckedBeforeAnythingIsWritten) {
  AudioData fast = TestSignal(2, 100, 700000);  // above FLAC's 655350 Hz
  const std::string fastWav = scratch.File("fast.wav");
  WriteTestWav(fastWav, fast);
  const std::string gain = GainParamsModule();
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--save", scratch.File("no/such/folder.fxp"), input, output}, "does not exist"},
      {{"--save", scratch.File("preset.txt"), input, output}, "ends in .fxp"},
      {{input, scratch.File("no/such/out.wav")}, "does not exist"},
      {{fastWav, scratch.File("fast.flac")}, "cannot be written at 700000 Hz"},
  };
  for (const auto& [args, words] : cases) {
    std::vector<std::string> all = {"--plugin", gain};
    all.insert(all.end(), args.begin(), args.end());
    ExpectOneErrorLine(RunHost(all), words);
    EXPECT_EQ(FilesIn(scratch.File("")), (std::set<std::string>{"in.wav", "fast.wav"})) << words;
  }
}

TEST_F(HostileInput, ValueTextsAreTakenWholeOrRefused) {
  const std::string ferrix = NativePath(FERRIX_MODULE);
  for (const char* text : {"Input Gain=1,5", "Input Gain=0x10", "Input Gain=2.5.7",
                           "Input Gain=nan", "Input Gain=-inf", "Input Gain=3 dB",
                           "Input Gain=@0x0.8", "Input Gain=@nan", "Input Gain=@", "Link=o"}) {
    const ProcessResult r = RunHost({"--plugin", ferrix, "--param", text, input, output});
    EXPECT_EQ(r.exitCode, 1) << text;
    EXPECT_EQ(Lines(r.err), 1) << text << ": " << r.err;
    EXPECT_FALSE(std::filesystem::exists(output)) << text;
  }
  // Numbers in any decimal spelling, and the value texts the plug-in shows, are taken.
  const ProcessResult r = RunHost({"--plugin", ferrix, "--list", "--param", "Input Gain=-2.5e0",
                                   "--param", "Output Gain=+.5", "--param", "Link=on"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Input Gain               -2.5 dB"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Output Gain              0.5 dB"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Link                     on"), std::string::npos) << r.out;
}

TEST_F(HostileInput, TheMainJobRendersWithTheGivenSettingsOrRefusesThem) {
  const std::string outDir = scratch.File("out");
  const std::string gain = GainParamsModule();
  ExpectOneErrorLine(RunHost({"--plugin", gain, "--out-dir", outDir, "--param", "Volume=1"}),
                     "unknown parameter \"Volume\"");
  ExpectOneErrorLine(RunHost({"--plugin", gain, "--out-dir", outDir, "--preset", "Loudest"}),
                     "unknown preset \"Loudest\"");
  EXPECT_FALSE(std::filesystem::exists(outDir));

  ProcessResult r = RunHost({"--plugin", gain, "--out-dir", outDir, "--preset", "Half"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(FilesIn(outDir), (std::set<std::string>{"01-Half.wav", "01-Half.png"}));
  r = RunHost({"--plugin", gain, "--out-dir", outDir, "--preset", "Double", "--param",
               "Polarity=inverted"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(FilesIn(outDir),
            (std::set<std::string>{"01-Half.wav", "01-Half.png", "02-Double-custom.wav",
                                   "02-Double-custom.png"}));
  EXPECT_EQ(r.out.rfind("Double (with --param): ", 0), 0u) << r.out;
  const AudioData demo = ReadBack(BesideHost("ferrix-demo.wav"));
  const AudioData half = ReadBack(outDir + "/01-Half.wav");
  const AudioData inverted = ReadBack(outDir + "/02-Double-custom.wav");
  ASSERT_EQ(half.Frames(), demo.Frames());
  ASSERT_EQ(inverted.Frames(), demo.Frames());
  for (int64_t i = 0; i < demo.Frames(); i += 997) {
    EXPECT_EQ(half.channels[0][i], static_cast<float>(demo.channels[0][i] * 0.5));
    EXPECT_EQ(inverted.channels[1][i], static_cast<float>(demo.channels[1][i] * -2.0));
  }
}

}  // namespace
}  // namespace ferrix::host::testing
