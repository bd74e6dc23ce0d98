// The small parts of ferrix-host: name matching, the command line, level figures and the
// summary texts.
#include <gtest/gtest.h>

#include <cmath>

#include "host/app/CommandLine.h"
#include "host/app/RenderSummary.h"
#include "host/meters/LevelStats.h"
#include "host/plugin/NameMatch.h"

namespace ferrix::host {
namespace {

TEST(NameMatch, ExactNameWinsOverAnEarlierCaseInsensitiveOne) {
  const std::vector<std::string> names = {"gain", "Gain", "Ceiling"};
  EXPECT_EQ(MatchName(names, "Gain"), 1);
  EXPECT_EQ(MatchName(names, "gain"), 0);
  EXPECT_EQ(MatchName(names, "GAIN"), 0);
  EXPECT_EQ(MatchName(names, "ceiling"), 2);
  EXPECT_EQ(MatchName(names, "Ceil"), std::nullopt);
  EXPECT_EQ(UnknownNameMessage("parameter", "x", {"A", "B"}),
            "unknown parameter \"x\"; valid: \"A\", \"B\"");
}

std::vector<const char*> Args(std::initializer_list<const char*> args) {
  std::vector<const char*> all = {"ferrix-host"};
  all.insert(all.end(), args);
  return all;
}

TEST(CommandLine, ReadsEveryOptionAndThePositionalFiles) {
  const auto argv =
      Args({"--plugin", "p.so", "--block", "8192", "--precision", "64", "--preset", "Loud",
            "--param", "Gain=@0.75", "--param", "Mode=on", "in.wav", "out.flac", "--json"});
  Options o;
  std::string error;
  ASSERT_TRUE(ParseCommandLine(static_cast<int>(argv.size()), argv.data(), o, error)) << error;
  EXPECT_EQ(o.plugin, "p.so");
  EXPECT_EQ(o.block, 8192);
  EXPECT_EQ(o.precision, 64);
  EXPECT_EQ(o.preset, "Loud");
  ASSERT_EQ(o.params.size(), 2u);
  EXPECT_EQ(o.params[0], std::make_pair(std::string("Gain"), std::string("@0.75")));
  EXPECT_EQ(o.input, "in.wav");
  EXPECT_EQ(o.output, "out.flac");
  EXPECT_TRUE(o.json);
  EXPECT_FALSE(o.IsMainJob());
}

TEST(CommandLine, NoArgumentsIsTheMainJob) {
  const auto argv = Args({});
  Options o;
  std::string error;
  ASSERT_TRUE(ParseCommandLine(1, argv.data(), o, error));
  EXPECT_TRUE(o.IsMainJob());
  EXPECT_EQ(o.block, 512);
  EXPECT_EQ(o.precision, 32);
}

TEST(CommandLine, RefusesBadValuesWithOneLine) {
  for (auto args : {Args({"--block", "0"}), Args({"--block", "x"}), Args({"--precision", "16"}),
                    Args({"--param", "Gain"}), Args({"--param", "=1"}), Args({"--frobnicate"}),
                    Args({"only-input.wav"}), Args({"--plugin"})}) {
    Options o;
    std::string error;
    EXPECT_FALSE(ParseCommandLine(static_cast<int>(args.size()), args.data(), o, error)) << args[1];
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
}

TEST(LevelStats, PeakRmsAndOversPerChannel) {
  AudioData audio;
  audio.channels = {{0.5, -0.5, 0.5, -0.5}, {1.5, -1.0, 0.0, -1.25}, {0.0, 0.0}};
  const std::vector<ChannelLevels> levels = MeasureLevels(audio);
  ASSERT_EQ(levels.size(), 3u);
  // 20 log10(0.5) = -6.0206 dB for both peak and RMS of a +-0.5 square wave.
  EXPECT_NEAR(levels[0].peakDb, -6.0206, 1e-4);
  EXPECT_NEAR(levels[0].rmsDb, -6.0206, 1e-4);
  EXPECT_EQ(levels[0].overs, 0);
  // Peak 1.5 is +3.5218 dB; exactly 1.0 is not over, 1.5 and 1.25 are.
  EXPECT_NEAR(levels[1].peakDb, 3.5218, 1e-4);
  EXPECT_EQ(levels[1].overs, 2);
  EXPECT_TRUE(std::isinf(levels[2].peakDb) && levels[2].peakDb < 0);
}

constexpr double kInf = HUGE_VAL;

RenderSummary TwoChannelSummary() {
  RenderSummary s;
  s.plugin = "Gain";
  s.input = "in.wav";
  s.output = "out.wav";
  s.sampleRate = 48000;
  s.frames = 96000;
  s.blockFrames = 512;
  s.inputLevels = {{-1.0, -12.0, 0}, {-2.0, -13.0, 0}};
  s.outputLevels = {{0.5, -10.0, 7}, {-kInf, -kInf, 0}};
  return s;
}

TEST(RenderSummary, TextJsonAndLineCarryTheLevels) {
  RenderSummary s = TwoChannelSummary();
  const std::string text = SummaryText(s);
  EXPECT_NE(text.find("48000 Hz"), std::string::npos);
  EXPECT_NE(text.find("-inf"), std::string::npos);
  EXPECT_EQ(text.find("gain reduction"), std::string::npos);
  const std::string json = SummaryJson(s);
  EXPECT_NE(json.find("\"outputPeakDb\":0.5000"), std::string::npos);
  EXPECT_NE(json.find("\"outputOvers\":7"), std::string::npos);
  EXPECT_NE(json.find("\"outputPeakDb\":null"), std::string::npos);  // silence
  EXPECT_NE(json.find("\"largestGainReductionDb\":null"), std::string::npos);
  EXPECT_EQ(SummaryLine("Loud", s),
            "Loud: peak 0.5/-inf dBFS, RMS -10.0/-inf dBFS, overs 7 -> out.wav\n");

  s.largestGainReductionDb = 6.04;
  EXPECT_NE(SummaryText(s).find("largest gain reduction: 6.0 dB"), std::string::npos);
  EXPECT_NE(SummaryJson(s).find("\"largestGainReductionDb\":6.0400"), std::string::npos);
}

}  // namespace
}  // namespace ferrix::host
