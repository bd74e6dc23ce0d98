// The gain reduction ferrix-host reports for Ferrix, from hand-worked samples.
#include <gtest/gtest.h>

#include "host/app/FerrixGainReduction.h"

namespace ferrix::host {
namespace {

// One channel: `input` and `output` at frame kSettleFrames + 10, silence before that, plus
// `before` in and out at frame 5 (inside the smoothers' fade-in).
struct OneSample {
  AudioData in, out;
  OneSample(double input, double output, double beforeIn = 0.0, double beforeOut = 0.0) {
    in.channels.assign(1, std::vector<double>(kSettleFrames + 20));
    out = in;
    in.channels[0][kSettleFrames + 10] = input;
    out.channels[0][kSettleFrames + 10] = output;
    in.channels[0][5] = beforeIn;
    out.channels[0][5] = beforeOut;
  }
};

double Reduction(const OneSample& s, FerrixGains gains = {}) {
  return LargestGainReductionDb(s.in, s.out, gains);
}

TEST(FerrixGainReduction, IsHowFarTheOutputLiesBelowTheUnclippedGainPath) {
  // Defaults: 1.5 clipped hard to 1.0 is 20·log10(1.5).
  EXPECT_NEAR(Reduction(OneSample(1.5, 1.0)), 3.52183, 1e-5);
  EXPECT_NEAR(Reduction(OneSample(-1.5, -1.0)), 3.52183, 1e-5);
  // Clip shape 0.5 at a threshold of 0.5: 0.9 comes out as 0.7, 20·log10(0.9 / 0.7).
  EXPECT_NEAR(Reduction(OneSample(0.9, 0.7)), 2.18288, 1e-5);
  // +6 dB in, -6 dB out, threshold 1: 0.9 reaches 1.7957 and leaves as 1.0 × 0.50119; the
  // unclipped path would give 0.9, so 20·log10(0.9 / 0.50119) = 6 + 20·log10(0.9).
  EXPECT_NEAR(Reduction(OneSample(0.9, 0.501187), {6.0, -6.0, false}), 5.08485, 1e-4);
  // Unclipped samples, and outputs above the gain path, are no reduction.
  EXPECT_EQ(Reduction(OneSample(0.5, 0.5)), 0.0);
  EXPECT_EQ(Reduction(OneSample(0.5, 0.6)), 0.0);
}

TEST(FerrixGainReduction, LeavesOutTheFadeInNearSilenceAndBypass) {
  // A fading-in output at frame 5 looks like 40 dB of reduction; it is not.
  EXPECT_NEAR(Reduction(OneSample(1.5, 1.0, 0.5, 0.005)), 3.52183, 1e-5);
  // -66 dBFS in, far less out: below the floor, as is a zeroed output of it.
  EXPECT_EQ(Reduction(OneSample(0.0005, 0.0001)), 0.0);
  EXPECT_EQ(Reduction(OneSample(0.0005, 0.0)), 0.0);
  // The floor applies after the input gain: -66 dBFS with +12 dB of gain counts, 12 - 6.02 dB.
  EXPECT_NEAR(Reduction(OneSample(0.0005, 0.001), {12.0, 0.0, false}), 5.9794, 1e-3);
  EXPECT_EQ(Reduction(OneSample(1.5, 1.0), {0.0, 0.0, true}), 0.0);
}

TEST(FerrixGainReduction, TakesTheLargestOverChannelsAndFrames) {
  AudioData in, out;
  in.channels.assign(2, std::vector<double>(kSettleFrames + 3, 0.9));
  out = in;
  out.channels[0][kSettleFrames] = 0.45;     // 6.02 dB
  out.channels[1][kSettleFrames + 2] = 0.3;  // 9.54 dB
  EXPECT_NEAR(LargestGainReductionDb(in, out, {}), 9.54243, 1e-5);
}

}  // namespace
}  // namespace ferrix::host
