#include "effect/ClipShifter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr double kRate = 48000.0;

// Stereo buffers processed in blocks of at most 512 frames, as a host would.
struct Stereo {
  std::vector<double> left, right;
  explicit Stereo(size_t frames, double value = 0.0) : left(frames, value), right(frames, value) {}
};

void Process(ClipShifter& shifter, Stereo& in, Stereo& out, double rate = kRate) {
  for (size_t start = 0; start < in.left.size(); start += 512) {
    const int frames = static_cast<int>(std::min<size_t>(512, in.left.size() - start));
    double* inputs[2] = {in.left.data() + start, in.right.data() + start};
    double* outputs[2] = {out.left.data() + start, out.right.data() + start};
    shifter.ProcessBlock(inputs, outputs, frames, rate);
  }
}

void RunSilence(ClipShifter& shifter, size_t frames, double rate = kRate) {
  Stereo in(frames), out(frames);
  Process(shifter, in, out, rate);
}

// What the reactions leave after opening with the defaults.
ClipShifter Defaults() {
  ClipShifter shifter;
  shifter.inputGain = 1.0;
  shifter.outputGain = 1.0;
  shifter.thresholdTime = 75.0;
  shifter.RestartThreshold();
  return shifter;
}

ClipShifter Settled(ClipShifter shifter) {
  RunSilence(shifter, 20000);
  return shifter;
}

// A block of no frames: only the block start and end run.
void EmptyBlock(ClipShifter& shifter) {
  double sample = 0.0;
  double* channels[2] = {&sample, &sample};
  shifter.ProcessBlock(channels, channels, 0, kRate);
}

double ProcessOne(ClipShifter& shifter, double left, double right = 0.0) {
  double inL = left, inR = right, outL = 0, outR = 0;
  double* inputs[2] = {&inL, &inR};
  double* outputs[2] = {&outL, &outR};
  shifter.ProcessBlock(inputs, outputs, 1, kRate);
  return outL;
}

TEST(ClipShifter, DefaultsPassHalfScaleAndClipHardAtFullScale) {
  ClipShifter shifter = Settled(Defaults());
  EXPECT_NEAR(ProcessOne(shifter, 0.5), 0.5, 1e-12);
  EXPECT_NEAR(ProcessOne(shifter, 1.5), 1.0, 1e-12);
  EXPECT_NEAR(ProcessOne(shifter, -1.5), -1.0, 1e-12);
}

TEST(ClipShifter, HalfClipShapeRemovesHalfTheOvershoot) {
  ClipShifter shifter = Defaults();
  shifter.clipShape = 0.5;
  shifter.initialThreshold = shifter.endThreshold = 0.5;
  shifter.RestartThreshold();
  shifter = Settled(shifter);
  EXPECT_NEAR(ProcessOne(shifter, 0.9), 0.7, 1e-12);  // 0.5 + 0.4 × (1 − 0.5)
  EXPECT_NEAR(ProcessOne(shifter, -0.9), -0.7, 1e-12);
}

TEST(ClipShifter, FreshInstanceFadesInFromSilence) {
  ClipShifter shifter = Defaults();
  Stereo in(100, 1.0), out(100);
  Process(shifter, in, out);
  // Frame 0: the smoothers stand at 0.01 (left) and 0.0199 (right); output = s_in × x × s_out.
  EXPECT_NEAR(out.left[0], 0.01 * 0.01, 1e-12);
  EXPECT_NEAR(out.right[0], 0.0199 * 0.0199, 1e-12);
  // Frame 99, left: 199 steps, s = 1 − 0.99^199.
  const double s = 1.0 - std::pow(0.99, 199);
  EXPECT_NEAR(out.left[99], s * s, 1e-9);
}

// −12 → −3 dB in 100 ms at 48 kHz under a square wave of amplitude 0.9.
struct SquareGlide : ::testing::Test {
  ClipShifter shifter = Defaults();
  const double initial = 0.251188643150958;  // 10^(−12/20)
  const double end = 0.707945784384138;      // 10^(−3/20)

  void SetUp() override {
    shifter.initialThreshold = initial;
    shifter.endThreshold = end;
    shifter.thresholdTime = 100.0;
    shifter.RestartThreshold();
    shifter = Settled(shifter);
  }

  void Square(size_t frames) {
    Stereo in(frames), out(frames);
    for (size_t i = 0; i < frames; ++i)
      in.left[i] = in.right[i] = (i / 50) % 2 ? -0.9 : 0.9;
    Process(shifter, in, out);
  }
};

TEST_F(SquareGlide, GlideReachesTheEndAfterAbout4800FramesWhileTheActiveThresholdHolds) {
  EXPECT_NEAR(shifter.glideStep, (end - initial) / 4800.0, 1e-15);
  Square(4700);
  EXPECT_LT(shifter.glidePosition, end);
  EXPECT_NEAR(shifter.glidePosition, initial + 4700 * shifter.glideStep, 1e-9);
  EXPECT_EQ(shifter.activeThreshold, initial);
  Square(200);
  EXPECT_EQ(shifter.glidePosition, end);
  EXPECT_EQ(shifter.activeThreshold, initial);
  EXPECT_EQ(shifter.shiftAmount, 0.0);
  // The first quiet frame takes the glide position over.
  RunSilence(shifter, 1);
  EXPECT_EQ(shifter.activeThreshold, end);
  EXPECT_EQ(shifter.shiftAmount, 1.0);
}

TEST_F(SquareGlide, ReturnTakesOneOverSixHundredthsOfTheGlideTimeWithFastOff) {
  Square(5000);
  // 100 ms / 0.06 = 1.667 s = 80000 frames of quiet.
  RunSilence(shifter, 79000);
  EXPECT_GT(shifter.glidePosition, initial);
  RunSilence(shifter, 2000);
  EXPECT_EQ(shifter.glidePosition, initial);
}

TEST_F(SquareGlide, ReturnTakesOneOverSixTenthsOfTheGlideTimeWithFastOn) {
  shifter.fast = true;
  Square(5000);
  RunSilence(shifter, 7900);  // 100 ms / 0.6 = 8000 frames
  EXPECT_GT(shifter.glidePosition, initial);
  RunSilence(shifter, 200);
  EXPECT_EQ(shifter.glidePosition, initial);
}

TEST_F(SquareGlide, LinkHoldsTheInitialThresholdWhateverTheEndSays) {
  shifter.link = true;
  Square(6000);
  EXPECT_EQ(shifter.activeThreshold, initial);
  EXPECT_EQ(shifter.glidePosition, initial);
  EXPECT_EQ(shifter.shiftAmount, 0.0);
}

TEST(ClipShifter, BypassPassesBitExactForcesFullScaleAndLetsTheReductionMeterDecay) {
  ClipShifter shifter = Settled(Defaults());
  Stereo loud(1000, 1.7), out(1000);
  Process(shifter, loud, out);
  const double reductionBefore = shifter.reduction.value;
  ASSERT_GT(reductionBefore, 0.0);

  shifter.bypass = true;
  Stereo in(1000);
  for (size_t i = 0; i < in.left.size(); ++i) {
    in.left[i] = std::sin(0.01 * i) * 3.3 + 1e-3;
    in.right[i] = -std::cos(0.02 * i) * 0.7;
  }
  const Stereo original = in;
  Process(shifter, in, out);
  EXPECT_EQ(0, std::memcmp(out.left.data(), original.left.data(), 1000 * sizeof(double)));
  EXPECT_EQ(0, std::memcmp(out.right.data(), original.right.data(), 1000 * sizeof(double)));
  EXPECT_EQ(shifter.activeThreshold, 1.0);
  EXPECT_LT(shifter.reduction.value, reductionBefore);
}

TEST(ClipShifter, TinyInfiniteAndNaNInputsAreProcessedAsZeroAndLeftInTheInput) {
  ClipShifter shifter = Settled(Defaults());
  const double smallestKept = std::ldexp(1.0, -54);
  const double inf = std::numeric_limits<double>::infinity();
  Stereo in(4), out(4, 9.0);
  in.left = {1e-20, inf, std::nan(""), smallestKept};
  in.right = {-inf, -1e-300, std::nextafter(smallestKept, 0.0), -0.0};
  const Stereo original = in;
  Process(shifter, in, out);
  // A host may share its input buffers: they keep every bit.
  EXPECT_EQ(0, std::memcmp(in.left.data(), original.left.data(), 4 * sizeof(double)));
  EXPECT_EQ(0, std::memcmp(in.right.data(), original.right.data(), 4 * sizeof(double)));
  const std::vector<double> zeros = {0, 0, 0};
  EXPECT_EQ(std::vector<double>(out.left.begin(), out.left.begin() + 3), zeros);
  EXPECT_EQ(out.right, std::vector<double>({0, 0, 0, 0}));
  EXPECT_EQ(shifter.fastInputLeft.value, shifter.fastInputLeft.value);  // not NaN
}

TEST(ClipShifter, ShiftAmountIsTheFractionOfTheWayToTheEnd) {
  ClipShifter shifter = Defaults();
  shifter.initialThreshold = 1.0;
  shifter.endThreshold = 0.5;
  shifter.activeThreshold = 0.75;
  EmptyBlock(shifter);
  EXPECT_EQ(shifter.shiftAmount, 0.5);
  shifter.activeThreshold = 0.25;  // beyond the end: clamped
  EmptyBlock(shifter);
  EXPECT_EQ(shifter.shiftAmount, 1.0);
  // Equal thresholds: 0 at them, 1 anywhere else.
  shifter.endThreshold = 1.0;
  shifter.activeThreshold = 1.0;
  EmptyBlock(shifter);
  EXPECT_EQ(shifter.shiftAmount, 0.0);
  shifter.activeThreshold = 0.9;
  EmptyBlock(shifter);
  EXPECT_EQ(shifter.shiftAmount, 1.0);
}

TEST(ClipShifter, WithoutAThresholdTimeOrSampleRateTheThresholdStandsStill) {
  // A fresh instance processed before the reactions ran: threshold time 0, equal thresholds.
  ClipShifter fresh;
  RunSilence(fresh, 600);
  EXPECT_EQ(fresh.glideStep, 0.0);
  EXPECT_EQ(fresh.returnStep, 0.0);
  EXPECT_EQ(fresh.glidePosition, 1.0);
  EXPECT_EQ(fresh.shiftAmount, 0.0);

  ClipShifter shifter = Defaults();
  shifter.endThreshold = 0.5;
  for (double rate : {0.0, -48000.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
    RunSilence(shifter, 10, rate);
    EXPECT_EQ(shifter.glideStep, 0.0) << rate;
    EXPECT_EQ(shifter.returnStep, 0.0) << rate;
    EXPECT_EQ(shifter.glidePosition, 1.0) << rate;
  }
  RunSilence(shifter, 1, kRate);
  EXPECT_GT(shifter.glideStep, 0.0);
}

// Every value a block leaves behind, as bits.
std::vector<uint64_t> StateBits(const ClipShifter& s) {
  std::vector<double> values = {s.activeThreshold,
                                s.glidePosition,
                                s.shiftAmount,
                                s.levelLeft,
                                s.levelRight,
                                s.reductionLeft,
                                s.reductionRight,
                                s.outputLeft,
                                s.outputRight,
                                s.inputGainSmoother.state,
                                s.outputGainSmoother.state,
                                s.clipShapeSmoother.state};
  for (const EnvelopeFollower* f :
       {&s.fastInputLeft, &s.fastInputRight, &s.fastOutputLeft, &s.fastOutputRight, &s.reduction,
        &s.slowInputLeft, &s.slowInputRight, &s.slowOutputLeft, &s.slowOutputRight}) {
    values.push_back(f->value);
    values.push_back(f->lastInput);
  }
  std::vector<uint64_t> bits(values.size());
  std::memcpy(bits.data(), values.data(), values.size() * sizeof(double));
  return bits;
}

TEST(ClipShifter, SseAndAvxFramesSoundTheSameBitForBit) {
  if (ClipShifter::Widest() != ClipShifter::Vectors::kAvx2) GTEST_SKIP() << "no AVX2 here";
  // Bass, a chord tone, noise and gaps, loud enough to clip and glide both ways, through gain
  // changes (smoothers moving, then settled), bypass, Link and Fast.
  constexpr int kFrames = 60000;
  Stereo in(kFrames);
  uint64_t noise = 0x9E3779B97F4A7C15ull;
  for (int i = 0; i < kFrames; ++i) {
    noise ^= noise << 13, noise ^= noise >> 7, noise ^= noise << 17;
    const double hiss = static_cast<double>(noise >> 11) / 9007199254740992.0 - 0.5;
    const double gate = (i / 3000) % 4 == 3 ? 0.0 : 1.0;
    in.left[i] = gate * (0.8 * std::sin(i * 0.008) + 0.3 * std::sin(i * 0.061) + 0.2 * hiss);
    in.right[i] = gate * (0.7 * std::sin(i * 0.0081) + 0.4 * std::sin(i * 0.047) - 0.2 * hiss);
  }
  ClipShifter sse = Defaults();
  sse.initialThreshold = 0.25;
  sse.endThreshold = 0.7;
  sse.clipShape = 0.6;
  sse.RestartThreshold();
  ClipShifter avx = sse;
  Stereo sseIn = in, avxIn = in, sseOut(kFrames), avxOut(kFrames);
  double largestShift = 0.0;
  for (int start = 0, block = 0; start < kFrames; start += 500, ++block) {
    for (ClipShifter* s : {&sse, &avx}) {
      s->inputGain = block % 20 < 10 ? 1.6 : 1.1;
      s->bypass = block % 37 == 36;
      s->link = block % 29 == 28;
      s->fast = block % 60 >= 30;
      if (block == 60) std::swap(s->initialThreshold, s->endThreshold);  // gliding down
    }
    double* sseChannels[2] = {sseIn.left.data() + start, sseIn.right.data() + start};
    double* sseOutputs[2] = {sseOut.left.data() + start, sseOut.right.data() + start};
    double* avxChannels[2] = {avxIn.left.data() + start, avxIn.right.data() + start};
    double* avxOutputs[2] = {avxOut.left.data() + start, avxOut.right.data() + start};
    sse.ProcessBlock(sseChannels, sseOutputs, 500, kRate, ClipShifter::Vectors::kSse2);
    avx.ProcessBlock(avxChannels, avxOutputs, 500, kRate, ClipShifter::Vectors::kAvx2);
    ASSERT_EQ(StateBits(sse), StateBits(avx)) << "block " << block;
    largestShift = std::max(largestShift, sse.shiftAmount);
  }
  EXPECT_GT(largestShift, 0.5);  // the threshold really moved
  EXPECT_EQ(std::memcmp(sseOut.left.data(), avxOut.left.data(), kFrames * sizeof(double)), 0);
  EXPECT_EQ(std::memcmp(sseOut.right.data(), avxOut.right.data(), kFrames * sizeof(double)), 0);
}

TEST(ClipShifter, MetersFedSilenceFallToZeroWithoutEverHoldingASubnormal) {
  std::vector<ClipShifter::Vectors> kinds = {ClipShifter::Vectors::kSse2};
  if (ClipShifter::Widest() == ClipShifter::Vectors::kAvx2)
    kinds.push_back(ClipShifter::Vectors::kAvx2);
  for (ClipShifter::Vectors kind : kinds) {
    ClipShifter shifter = Defaults();
    auto followers = [&shifter] {
      ClipShifter& s = shifter;
      return std::vector<EnvelopeFollower*>{
          &s.fastInputLeft, &s.fastInputRight, &s.fastOutputLeft, &s.fastOutputRight, &s.reduction,
          &s.slowInputLeft, &s.slowInputRight, &s.slowOutputLeft, &s.slowOutputRight};
    };
    // Close to the smallest normal number: the slowest release (5 s for a factor of 100) gets
    // there in 6.6 s and would stay subnormal for another 40 s.
    for (EnvelopeFollower* f : followers())
      f->value = 1e-306;
    Stereo in(512), out(512);
    double* inputs[2] = {in.left.data(), in.right.data()};
    double* outputs[2] = {out.left.data(), out.right.data()};
    for (int block = 0; block < 10 * 48000 / 512; ++block) {
      shifter.ProcessBlock(inputs, outputs, 512, kRate, kind);
      for (EnvelopeFollower* f : followers())
        ASSERT_NE(std::fpclassify(f->value), FP_SUBNORMAL) << "block " << block;
    }
    for (EnvelopeFollower* f : followers())
      EXPECT_EQ(f->value, 0.0);
  }
}

}  // namespace
