// Loudness figures against the EBU's own test cases, true peak against a signal whose peaks fall
// between samples, and how they reach the summary text and JSON.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "host/app/RenderSummary.h"
#include "host/meters/Loudness.h"

namespace ferrix::host {
namespace {

// `seconds` of a stereo sine of `hz` at `dbfs` peak level on both channels, fed in blocks.
LoudnessFigures MeasureSine(double hz, double dbfs, double seconds, double phase = 0.0,
                            int rate = 48000) {
  LoudnessMeter meter(2, rate);
  EXPECT_TRUE(meter.Available());
  const double amplitude = std::pow(10.0, dbfs / 20.0);
  const auto total = static_cast<int64_t>(seconds * rate);
  AudioBlock block(2, 4096);
  for (int64_t start = 0; start < total; start += block.Capacity()) {
    block.frames = static_cast<int32_t>(std::min<int64_t>(block.Capacity(), total - start));
    for (int32_t i = 0; i < block.frames; ++i) {
      const double v =
          amplitude *
          std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(start + i) / rate + phase);
      block.channels[0][i] = block.channels[1][i] = v;
    }
    meter.Add(block);
  }
  return *meter.Figures();
}

TEST(Loudness, EbuTech3341CasesOneAndTwoAndTheShortAndSilentEdges) {
  if (!LoudnessAvailable()) GTEST_SKIP() << "this build measures no loudness";
  // Case 1: 1 kHz at -23 dBFS on both channels reads -23.0 LUFS; case 2: -33 dBFS, -33.0.
  // (A stereo sine at -23 dBFS peak: each channel's mean square is -26 dB, the two add 3 dB,
  // and the K-weighting is 0 dB at 1 kHz once the -0.691 offset is counted.)
  const LoudnessFigures one = MeasureSine(1000.0, -23.0, 20.0);
  EXPECT_NEAR(one.integratedLufs, -23.0, 0.1);
  EXPECT_NEAR(one.rangeLu, 0.0, 0.1);  // a steady tone has no range
  EXPECT_NEAR(one.samplePeakDb, -23.0, 0.01);
  EXPECT_NEAR(MeasureSine(1000.0, -33.0, 20.0).integratedLufs, -33.0, 0.1);
  // Under the 400 ms gate window there is no integrated loudness: -inf, never a number.
  EXPECT_TRUE(std::isinf(MeasureSine(1000.0, -10.0, 0.3).integratedLufs));
  LoudnessMeter silent(1, 44100);
  AudioBlock zeros(1, 44100);
  zeros.frames = 44100;
  silent.Add(zeros);
  EXPECT_TRUE(std::isinf(silent.Figures()->integratedLufs));
  EXPECT_TRUE(std::isinf(silent.Figures()->samplePeakDb));
}

TEST(Loudness, TruePeakFindsThePeaksBetweenSamples) {
  if (!LoudnessAvailable()) GTEST_SKIP() << "this build measures no loudness";
  // A sine at a quarter of the rate, sampled 45 degrees off its crests: every sample sits at
  // 0.7071 of the amplitude (-3.01 dB), the waveform between them reaches full amplitude.
  const LoudnessFigures f = MeasureSine(12000.0, -6.0, 1.0, std::numbers::pi / 4.0);
  EXPECT_NEAR(f.samplePeakDb, -9.01, 0.02);
  EXPECT_NEAR(f.truePeakDb, -6.0, 0.6);
  EXPECT_GT(f.truePeakDb, f.samplePeakDb + 2.0);
}

TEST(Loudness, SummaryLineAndJsonCarryTheFiguresAndTheirChanges) {
  RenderSummary s;
  s.output = "out/02-Kick.wav";
  s.inputLoudness = LoudnessFigures{-17.34, 4.0, -1.0, 4.76};
  s.outputLoudness = LoudnessFigures{-14.2, 3.5, -0.5, 0.4};
  s.largestGainReductionDb = 7.6;
  EXPECT_EQ(SummaryLine("Kick", s),
            "Kick: -14.2 LUFS (+3.1), true peak +0.4 dBTP (-4.4), gain reduction 7.6 dB -> "
            "out/02-Kick.wav\n");
  const std::string json = SummaryJson(s);
  EXPECT_NE(json.find("\"outputLoudness\":{\"integratedLufs\":-14.2000,\"rangeLu\":3.5000,"
                      "\"samplePeakDb\":-0.5000,\"truePeakDb\":0.4000}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"loudnessChange\":{\"integratedLu\":3.1400,\"truePeakDb\":-4.3600}"),
            std::string::npos)
      << json;
  // Too short to gate: null in JSON, "-inf" and "n/a" in the line.
  s.outputLoudness->integratedLufs = -HUGE_VAL;
  EXPECT_NE(SummaryJson(s).find("\"integratedLufs\":null"), std::string::npos);
  EXPECT_NE(SummaryJson(s).find("\"integratedLu\":null"), std::string::npos);
  EXPECT_EQ(SummaryLine("K", s).rfind("K: -inf LUFS (n/a), true peak", 0), 0u);
  // Without loudness (the Windows build) the fields are null and the line shows levels.
  s.inputLoudness.reset();
  s.outputLoudness.reset();
  EXPECT_NE(SummaryJson(s).find("\"inputLoudness\":null,\"outputLoudness\":null,"
                                "\"loudnessChange\":null}"),
            std::string::npos);
  EXPECT_EQ(SummaryLine("K", s).rfind("K: peak ", 0), 0u);
}

}  // namespace
}  // namespace ferrix::host
