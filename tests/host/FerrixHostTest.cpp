// ferrix-host end to end: the real executable renders through the test gain plug-in, reads and
// writes preset files, runs the main job, and fails cleanly on every error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "tests/host/HostTestSupport.h"

namespace ferrix::host::testing {
namespace {

bool Exists(const std::string& path) {
  return std::filesystem::exists(path);
}

int Lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// Every sample of `out` is `factor` times the same sample of `in`.
void ExpectScaled(const AudioData& in, const AudioData& out, double factor,
                  double tolerance = 0.0) {
  ASSERT_EQ(out.ChannelCount(), in.ChannelCount());
  ASSERT_EQ(out.Frames(), in.Frames());
  EXPECT_EQ(out.sampleRate, in.sampleRate);
  for (int c = 0; c < in.ChannelCount(); ++c) {
    for (int64_t i = 0; i < in.Frames(); ++i) {
      const double expected = static_cast<float>(in.channels[c][i] * factor);
      ASSERT_NEAR(out.channels[c][i], expected, tolerance) << "channel " << c << " frame " << i;
    }
  }
}

class FerrixHost : public ::testing::Test {
 protected:
  void SetUp() override {
    input = scratch.File("in.wav");
    output = scratch.File("out.wav");
    signal = TestSignal(2, 3000);
    WriteTestWav(input, signal);
    signal = ReadBack(input);  // as float, the way the host reads it
  }
  ScratchDir scratch;
  std::string input, output;
  AudioData signal;
};

TEST_F(FerrixHost, RendersWithAPresetAndAParameterOverride) {
  const ProcessResult r = RunHost({"--plugin", GainParamsModule(), "--preset", "double", "--param",
                                   "polarity=inverted", "--block", "100", input, output});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");  // no progress bar when stderr is not a terminal
  ExpectScaled(signal, ReadBack(output), -2.0);
  EXPECT_NE(r.out.find("Test Gain Params"), std::string::npos);
  EXPECT_FALSE(Exists(output + ".partial"));
}

TEST_F(FerrixHost, ThirtyTwoAndSixtyFourBitPathsAgreeWithinFloatRounding) {
  const std::string out64 = scratch.File("out64.wav");
  ASSERT_EQ(
      RunHost({"--plugin", GainChunksModule(), "--param", "Gain=@0.3", input, output}).exitCode, 0);
  ASSERT_EQ(RunHost({"--plugin", GainChunksModule(), "--param", "Gain=@0.3", "--precision", "64",
                     input, out64})
                .exitCode,
            0);
  ExpectScaled(signal, ReadBack(output), 2.0 * 0.3f, 1e-7);
  ExpectScaled(signal, ReadBack(out64), 2.0 * 0.3f, 1e-7);
}

TEST_F(FerrixHost, EqualRendersAreEqualFiles) {
  // libsndfile would add a PEAK chunk with the time of writing to float files.
  ASSERT_EQ(RunHost({"--plugin", GainParamsModule(), "--quiet", input, output}).exitCode, 0);
  EXPECT_EQ(ReadTextFile(output).find("PEAK"), std::string::npos);
}

TEST_F(FerrixHost, MonoInputFeedsBothInputsAndStaysMono) {
  AudioData mono = TestSignal(1, 1000, 48000);
  WriteTestWav(input, mono);
  ASSERT_EQ(RunHost({"--plugin", GainParamsModule(), "--preset", "Half", "--quiet", input, output})
                .exitCode,
            0);
  ExpectScaled(ReadBack(input), ReadBack(output), 0.5);
}

TEST_F(FerrixHost, QuietPrintsNothingAndJsonPrintsOneObject) {
  ProcessResult r = RunHost({"--plugin", GainParamsModule(), "--quiet", input, output});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "");
  r = RunHost({"--plugin", GainParamsModule(), "--json", input, output});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out.front(), '{');
  EXPECT_EQ(Lines(r.out), 1);
  EXPECT_NE(r.out.find("\"frames\":3000"), std::string::npos);
  EXPECT_NE(r.out.find("\"outputOvers\":0"), std::string::npos);
}

TEST_F(FerrixHost, ListShowsIdentityParametersAndPrograms) {
  const ProcessResult r =
      RunHost({"--plugin", GainChunksModule(), "--list", "--preset", "Inverted"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* expected : {"Test Gain Chunks by Ferrix tests", "state as chunks", "Gain",
                               "1.000 x", "Polarity", "inverted", "Inverted  (current)"}) {
    EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;
  }
}

// Saves the state after selecting and editing a program, then renders from the saved file in a
// new process and expects the edited gain; for banks, the other programs must survive too.
void ExpectPresetFileRoundTrip(const std::string& module, const std::string& file,
                               const std::string& input, const std::string& output,
                               const AudioData& signal) {
  SCOPED_TRACE(module + " " + file);
  ProcessResult r =
      RunHost({"--plugin", module, "--preset", "Half", "--param", "Gain=@0.875", "--save", file});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = RunHost({"--plugin", module, "--load", file, input, output});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ExpectScaled(signal, ReadBack(output), 1.75);
  if (file.ends_with(".fxb")) {
    r = RunHost({"--plugin", module, "--load", file, "--preset", "Double", input, output});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ExpectScaled(signal, ReadBack(output), 2.0);
  }
}

TEST_F(FerrixHost, PresetFilesRoundTripAsChunksAndAsParameterLists) {
  for (const std::string& module : {GainChunksModule(), GainParamsModule()}) {
    ExpectPresetFileRoundTrip(module, scratch.File("p.fxp"), input, output, signal);
    ExpectPresetFileRoundTrip(module, scratch.File("b.fxb"), input, output, signal);
  }
  // The chunk build writes chunks, the parameter build parameter lists.
  RunHost({"--plugin", GainChunksModule(), "--save", scratch.File("c.fxb")});
  RunHost({"--plugin", GainParamsModule(), "--save", scratch.File("l.fxb")});
  EXPECT_EQ(ReadTextFile(scratch.File("c.fxb")).substr(8, 4), "FBCh");
  EXPECT_EQ(ReadTextFile(scratch.File("l.fxb")).substr(8, 4), "FxBk");
}

TEST_F(FerrixHost, EveryErrorIsOneLineANonZeroExitAndNoOutputFile) {
  const std::string text = scratch.File("text.wav");
  std::ofstream(text) << "not audio";
  const std::string three = scratch.File("three.wav");
  WriteTestWav(three, TestSignal(3, 100));
  const std::string gain = GainParamsModule();
  struct Case {
    std::vector<std::string> args;
    const char* words;
  };
  const std::vector<Case> cases = {
      {{"--plugin", gain, scratch.File("missing.wav"), output}, "missing.wav"},
      {{"--plugin", gain, text, output}, "cannot read audio"},
      {{"--plugin", scratch.File("none.so"), input, output}, "no such plug-in file"},
      {{"--plugin", NativePath(BROKEN_NO_ENTRY_MODULE), input, output}, "no VSTPluginMain or main"},
      {{"--plugin", NativePath(BROKEN_NULL_ENTRY_MODULE), input, output}, "created no effect"},
      {{"--plugin", NativePath(BROKEN_WRONG_MAGIC_MODULE), input, output}, "wrong magic"},
      {{"--plugin", gain, three, output}, "channel mismatch"},
      {{"--plugin", gain, "--param", "Volume=1", input, output},
       "unknown parameter \"Volume\"; valid: \"Gain\", \"Polarity\", \"Crash\""},
      {{"--plugin", gain, "--preset", "Loudest", input, output}, "\"Unity\", \"Half\""},
      {{"--plugin", gain, "--param", "Gain=loud", input, output}, "does not take the text"},
      {{"--plugin", gain, "--load", text, input, output}, "not a VST preset file"},
      {{"--plugin", gain, input, scratch.File("out.xyz")}, "unknown output file type"},
      {{"--block", "-5", input, output}, "--block"},
  };
  for (const Case& c : cases) {
    const ProcessResult r = RunHost(c.args);
    EXPECT_NE(r.exitCode, 0) << c.words;
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_EQ(r.err.rfind("ferrix-host: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(c.words), std::string::npos) << r.err;
    EXPECT_FALSE(Exists(output)) << c.words;
    EXPECT_FALSE(Exists(output + ".partial")) << c.words;
  }
}

TEST_F(FerrixHost, ACrashingPluginIsNamed) {
  const ProcessResult r =
      RunHost({"--plugin", GainParamsModule(), "--param", "Crash=yes", input, output});
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find(GainParamsModule() + " crashed"), std::string::npos) << r.err;
  EXPECT_FALSE(Exists(output));
}

TEST_F(FerrixHost, MainJobRendersTheDemoWithEveryProgram) {
  const std::string outDir = scratch.File("out");
  const ProcessResult r = RunHost({"--plugin", GainParamsModule(), "--out-dir", outDir});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Lines(r.out), 4);
  const char* files[] = {"00-Unity.wav", "01-Half.wav", "02-Double.wav", "03-Inverted.wav"};
  for (const char* file : files)
    EXPECT_TRUE(Exists(outDir + "/" + file)) << file;
  EXPECT_NE(r.out.find("Double: "), std::string::npos) << r.out;

  // The demo is a few seconds of hot stereo: peaks above full scale.
  const AudioData demo = ReadBack(BesideHost("ferrix-demo.wav"));
  ASSERT_EQ(demo.ChannelCount(), 2);
  EXPECT_GE(demo.Frames(), 2 * demo.sampleRate);
  EXPECT_LE(demo.Frames(), 10 * demo.sampleRate);
  double peak = 0.0;
  for (const auto& channel : demo.channels) {
    for (double v : channel)
      peak = std::max(peak, std::fabs(v));
  }
  EXPECT_GT(peak, 1.0);
  ExpectScaled(demo, ReadBack(outDir + "/02-Double.wav"), 2.0);
}

}  // namespace
}  // namespace ferrix::host::testing
