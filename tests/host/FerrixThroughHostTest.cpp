// Ferrix driven by the real ferrix-host executable: its renders against the effect run in-process
// with the same settings, the two sample precisions, preset files, its errors, the summary's gain
// reduction and the main job.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "effect/Ferrix.h"
#include "effect/FerrixParam.h"
#include "tests/host/HostTestSupport.h"
#include "tools/programs/renders/TestSignals.h"

namespace ferrix::host::testing {
namespace {

constexpr int kDoubleWav = 0x010007;  // WAV, 64-bit float: renders stay exact in the file
constexpr int kFloatWav = 0x010006;
constexpr int kRate = 48000;
constexpr int kKick = 2, kSnare = 3;

std::string FerrixModule() {
  return NativePath(FERRIX_MODULE);
}

// Music near full scale, stored with `format`; with float-rounded samples when asked.
AudioData Music(int format, bool floatSamples) {
  const StereoSignal music = MusicLike(6000);
  AudioData audio;
  audio.sampleRate = kRate;
  audio.format = format;
  audio.channels = {music.left, music.right};
  for (auto& channel : audio.channels) {
    for (double& v : channel)
      v = floatSamples ? static_cast<float>(v * 1.3) : v * 1.3;
  }
  return audio;
}

void Write(const std::string& path, const AudioData& audio) {
  std::string error;
  ASSERT_TRUE(WriteAudioFile(path, audio, error)) << error;
}

// The effect itself, as the host sets it up: opened, the rate set, a program, one plain value.
AudioData RenderInProcess(const AudioData& in, int program, int param, double value) {
  Ferrix effect(nullptr);  // no host: every request towards it answers 0
  effect.SetSampleRate(in.sampleRate);
  effect.AnnounceAllParams();
  effect.ResetState();
  effect.LoadPreset(program);
  effect.GetParam(param)->SetValue(value);
  effect.ParamChanged(param);
  AudioData input = in, output = in;
  for (int64_t start = 0; start < in.Frames(); start += 512) {
    const int frames = static_cast<int>(std::min<int64_t>(512, in.Frames() - start));
    double* inputs[2] = {input.channels[0].data() + start, input.channels[1].data() + start};
    double* outputs[2] = {output.channels[0].data() + start, output.channels[1].data() + start};
    effect.ProcessBlockDouble(inputs, outputs, frames);
  }
  return output;
}

bool SameSamples(const AudioData& a, const AudioData& b) {
  if (a.channels.size() != b.channels.size()) return false;
  for (size_t c = 0; c < a.channels.size(); ++c) {
    if (a.channels[c].size() != b.channels[c].size() ||
        std::memcmp(a.channels[c].data(), b.channels[c].data(), a.channels[c].size() * 8) != 0) {
      return false;
    }
  }
  return true;
}

class FerrixThroughHost : public ::testing::Test {
 protected:
  // Renders `input` with `args` and answers the output.
  AudioData RenderFile(const std::string& input, std::vector<std::string> args) {
    const std::string output = scratch.File(std::to_string(renders++) + "-out.wav");
    args.insert(args.begin(), {"--plugin", FerrixModule(), "--quiet"});
    args.insert(args.end(), {input, output});
    const ProcessResult r = RunHost(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return ReadBack(output);
  }
  ScratchDir scratch;
  int renders = 0;
};

TEST_F(FerrixThroughHost, RendersAPresetAndAParameterOverrideExactlyAsTheEffectDoes) {
  const AudioData music = Music(kDoubleWav, false);
  const std::string input = scratch.File("music.wav");
  Write(input, music);
  const AudioData rendered =
      RenderFile(input, {"--preset", "Kick", "--param", "output gain=-3.5", "--precision", "64"});
  const AudioData expected = RenderInProcess(music, kKick, kOutputGain, -3.5);
  EXPECT_TRUE(SameSamples(rendered, expected));
  EXPECT_FALSE(SameSamples(rendered, RenderInProcess(music, kKick, kOutputGain, -3.4)));
}

TEST_F(FerrixThroughHost, ThirtyTwoBitOutputIsTheSixtyFourBitOutputRoundedToFloat) {
  // Float-valued input, so that both paths see the same samples; the 64-bit file keeps doubles.
  const std::string input = scratch.File("music.wav");
  Write(input, Music(kDoubleWav, true));
  const AudioData out64 = RenderFile(input, {"--preset", "Snare", "--precision", "64"});
  const AudioData out32 = RenderFile(input, {"--preset", "Snare", "--precision", "32"});
  ASSERT_EQ(out32.Frames(), out64.Frames());
  int differing = 0;
  for (int c = 0; c < 2; ++c) {
    for (int64_t i = 0; i < out64.Frames(); ++i) {
      ASSERT_EQ(out32.channels[c][i], static_cast<float>(out64.channels[c][i])) << i;
      differing += out32.channels[c][i] != out64.channels[c][i];
    }
  }
  EXPECT_GT(differing, 0);  // the 64-bit render really kept its doubles
}

// Every factory value (4.2 dB, 0.78, 90 ms...) has to come back from the normalised floats of a
// parameter-list file exactly: any other value would render other samples.
TEST_F(FerrixThroughHost, ProgramFilesRestoreEveryFactoryValueExactly) {
  const std::string input = scratch.File("music.wav");
  Write(input, Music(kDoubleWav, false));
  for (int program = 0; program <= 9; ++program) {
    SCOPED_TRACE(program);
    const std::string file = scratch.File(std::to_string(program) + ".fxp");
    const ProcessResult r =
        RunHost({"--plugin", FerrixModule(), "--preset", std::to_string(program), "--save", file});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadTextFile(file).substr(8, 4), "FxCk");  // Ferrix keeps no chunks
    EXPECT_TRUE(
        SameSamples(RenderFile(input, {"--precision", "64", "--load", file}),
                    RenderFile(input, {"--precision", "64", "--preset", std::to_string(program)})));
  }
}

TEST_F(FerrixThroughHost, ABankSavedAfterEditingOnePresetKeepsTheEditAndTheOthers) {
  const std::string input = scratch.File("music.wav");
  Write(input, Music(kDoubleWav, false));
  const std::string bank = scratch.File("bank.fxb");
  ProcessResult r = RunHost({"--plugin", FerrixModule(), "--preset", "Snare", "--param",
                             "Input Gain=5.5", "--param", "Fast=on", "--save", bank});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadTextFile(bank).substr(8, 4), "FxBk");

  const AudioData edited = RenderFile(input, {"--precision", "64", "--preset", "Snare", "--param",
                                              "Input Gain=5.5", "--param", "Fast=on"});
  // The bank brings back the edited Snare as the current program, and the untouched Kick.
  EXPECT_TRUE(SameSamples(RenderFile(input, {"--precision", "64", "--load", bank}), edited));
  EXPECT_TRUE(SameSamples(RenderFile(input, {"--precision", "64", "--load", bank, "--preset", "3"}),
                          edited));
  EXPECT_TRUE(SameSamples(RenderFile(input, {"--precision", "64", "--load", bank, "--preset", "2"}),
                          RenderInProcess(ReadBack(input), kKick, kThresholdTime, 10.0)));
  r = RunHost({"--plugin", FerrixModule(), "--load", bank, "--list"});
  EXPECT_NE(r.out.find("Input Gain               5.5 dB"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Fast                     on"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("3  Snare  (current)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("8  Reverse Smack"), std::string::npos) << r.out;
}

TEST_F(FerrixThroughHost, EveryErrorIsOneLineANonZeroExitAndNoOutputFile) {
  const std::string input = scratch.File("in.wav");
  Write(input, Music(kFloatWav, true));
  AudioData three = Music(kFloatWav, true);
  three.channels.push_back(three.channels[0]);
  const std::string threeChannels = scratch.File("three.wav");
  Write(threeChannels, three);
  const std::string gainPreset = scratch.File("gain.fxp");
  ASSERT_EQ(RunHost({"--plugin", GainParamsModule(), "--save", gainPreset}).exitCode, 0);
  const std::string output = scratch.File("out.wav");
  const std::string ferrix = FerrixModule();
  struct Case {
    std::vector<std::string> args;
    const char* words;
  };
  const std::vector<Case> cases = {
      {{"--param", "Drive=3", input, output},
       "unknown parameter \"Drive\"; valid: \"Input Gain\", \"Output Gain\", "
       "\"Threshold-Initial\", "
       "\"Threshold-End\", \"Clip Shape\", \"Threshold Time\", \"Link\", \"Fast\", \"Bypass\""},
      {{"--preset", "Loud", input, output}, "unknown preset \"Loud\"; valid: \"-\", \"Bass Grit\""},
      {{"--preset", "20", input, output}, "(or an index 0..19)"},
      {{"--param", "Link=maybe", input, output}, "does not take the text \"maybe\""},
      {{"--load", gainPreset, input, output}, "belongs to another plug-in"},
      {{threeChannels, output}, "channel mismatch"},
      {{scratch.File("missing.wav"), output}, "missing.wav"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--plugin", ferrix};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ProcessResult r = RunHost(args);
    EXPECT_NE(r.exitCode, 0) << c.words;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(c.words), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(output)) << c.words;
    EXPECT_FALSE(std::filesystem::exists(output + ".partial")) << c.words;
  }
}

// A steady 1.5 is clipped to the 0 dB threshold: 20·log10(1.5) = 3.5218 dB of reduction. With
// 6 dB more input gain it is 6 dB more; the output gain does not count.
TEST_F(FerrixThroughHost, TheSummaryReportsTheLargestGainReduction) {
  AudioData steady;
  steady.sampleRate = kRate;
  steady.format = kFloatWav;
  steady.channels.assign(2, std::vector<double>(3000, 1.5));
  steady.channels[1][2000] = -1.5;
  const std::string input = scratch.File("steady.wav");
  Write(input, steady);
  ProcessResult r = RunHost({"--plugin", FerrixModule(), "--json", input, scratch.File("a.wav")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("\"largestGainReductionDb\":3.5218,"), std::string::npos) << r.out;
  r = RunHost({"--plugin", FerrixModule(), "--param", "Input Gain=6.0", "--param",
               "Output Gain=-9.0", input, scratch.File("b.wav")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("largest gain reduction: 9.5 dB"), std::string::npos) << r.out;
  r = RunHost(
      {"--plugin", FerrixModule(), "--json", "--param", "Bypass=on", input, scratch.File("c.wav")});
  EXPECT_NE(r.out.find("\"largestGainReductionDb\":0.0000,"), std::string::npos) << r.out;
}

TEST_F(FerrixThroughHost, DefaultPluginIsTheFerrixModuleBesideTheHost) {
  const std::string input = scratch.File("in.wav");
  Write(input, Music(kFloatWav, true));
  const ProcessResult r = RunHost({input, scratch.File("out.wav")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Tessomar: ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("largest gain reduction: "), std::string::npos) << r.out;
}

// The factory presets are the program "-" (the defaults) and the eight named ones; the "Empty"
// slots hold the defaults again. Each file is what a render with that preset alone gives.
TEST_F(FerrixThroughHost, MainJobRendersTheDemoOncePerFactoryPreset) {
  const std::string outDir = scratch.File("out");
  const ProcessResult r = RunHost({"--out-dir", outDir});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const char* names[] = {"-",
                         "Bass Grit",
                         "Kick",
                         "Snare",
                         "Overhead",
                         "Compr-Saturation",
                         "Master Buss 1",
                         "Master Buss 2",
                         "Reverse Smack"};
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 9) << r.out;
  for (int p = 0; p < 9; ++p) {
    const std::string file = outDir + "/0" + std::to_string(p) + "-" + names[p] + ".wav";
    EXPECT_TRUE(std::filesystem::exists(file)) << file;
    EXPECT_TRUE(std::filesystem::exists(file.substr(0, file.size() - 4) + ".png")) << file;
    EXPECT_NE(r.out.find(std::string(names[p]) + ": "), std::string::npos) << names[p];
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(outDir),
                          std::filesystem::directory_iterator()),
            18);  // a file and its picture per preset
  EXPECT_NE(r.out.find("gain reduction"), std::string::npos);
  // Rendered after four other presets, Overhead still sounds as it does on its own.
  EXPECT_TRUE(SameSamples(ReadBack(outDir + "/04-Overhead.wav"),
                          RenderFile(BesideHost("ferrix-demo.wav"), {"--preset", "Overhead"})));
}

}  // namespace
}  // namespace ferrix::host::testing
