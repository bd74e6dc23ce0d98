// Ferrix's direct 32-bit path against the widening path it replaced, through the effect record:
// the same output bits and meter states on random blocks of 1 to 4096 frames, most full of
// not-a-number, infinite, subnormal and tiny samples, some clean, for processReplacing and process,
// with the buffer layouts hosts use (separate, in place, shared) and one they should not (partly
// overlapping), on every kind of frames this processor runs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "tools/programs/renders/WidenedFerrix.h"

namespace {

constexpr int kMaxBlock = 4096;

enum Layout { kSeparate, kInPlace, kCrossed, kOneInput, kOneOutput, kPartlyOverlapping, kLayouts };

// Four channel buffers in one pool, handed to the record in a layout.
struct HostBuffers {
  std::vector<float> pool = std::vector<float>(4 * (kMaxBlock + 1));
  float* Buffer(int k) { return pool.data() + k * (kMaxBlock + 1); }
  void Map(Layout layout, float* (&in)[2], float* (&out)[2]) {
    float *a = Buffer(0), *b = Buffer(1), *c = Buffer(2), *d = Buffer(3);
    in[0] = a, in[1] = layout == kOneInput ? a : b;
    out[0] = c, out[1] = layout == kOneOutput ? c : d;
    if (layout == kInPlace) out[0] = a, out[1] = b;
    if (layout == kCrossed) out[0] = b, out[1] = a;
    if (layout == kPartlyOverlapping) out[0] = a + 1;
  }
};

// Hot music-like values, with every kind of sample the input guard must catch and the smallest
// one it keeps when asked for (a block without them runs frames that skip the guard).
float RandomSample(std::mt19937& random, bool withSpecials) {
  const float specials[] = {std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::denorm_min(),
                            -1e-40f,
                            1e-20f,
                            std::ldexp(1.0f, -54),
                            std::ldexp(1.0f, -55),
                            -0.0f};
  if (withSpecials && random() % 64 == 0) return specials[random() % std::size(specials)];
  return std::uniform_real_distribution<float>(-1.6f, 1.6f)(random);
}

std::vector<double> MeterState(const Ferrix& effect) {
  const ClipShifter& p = effect.Processing();
  return {p.activeThreshold,          p.glidePosition,           p.shiftAmount,
          p.fastInputLeft.value,      p.fastInputRight.value,    p.fastOutputLeft.value,
          p.fastOutputRight.value,    p.reduction.value,         p.slowInputLeft.value,
          p.slowInputRight.value,     p.slowOutputLeft.value,    p.slowOutputRight.value,
          p.slowOutputLeft.lastInput, p.inputGainSmoother.state, p.clipShapeSmoother.state};
}

void Prepare(AEffect* record) {
  record->dispatcher(record, effOpen, 0, 0, nullptr, 0.0f);
  record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  record->dispatcher(record, effSetBlockSize, 0, kMaxBlock, nullptr, 0.0f);
  record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f);
}

TEST(DirectFloatPath, GivesTheWideningPathsBitsOnRandomBlocks) {
  std::vector<ClipShifter::Vectors> kinds = {ClipShifter::Vectors::kSse2};
  if (ClipShifter::Widest() == ClipShifter::Vectors::kAvx2)
    kinds.push_back(ClipShifter::Vectors::kAvx2);
  for (ClipShifter::Vectors kind : kinds) {
    Ferrix direct(nullptr, false);
    WidenedFerrix widened(nullptr, false);
    direct.SetFrameKind(kind);
    widened.SetFrameKind(kind);
    Prepare(direct.Record());
    Prepare(widened.Record());
    HostBuffers directBuffers, widenedBuffers;
    std::mt19937 random(7);
    double largestReduction = 0.0;
    for (int block = 0; block < 80; ++block) {
      // Parameter moves (gains, thresholds, shape, Link, Bypass, Fast) between some blocks.
      if (block % 3 == 0) {
        const int index = static_cast<int>(random() % 9);
        const float value = std::uniform_real_distribution<float>(0.0f, 1.0f)(random);
        for (Ferrix* effect : {static_cast<Ferrix*>(&direct), static_cast<Ferrix*>(&widened)})
          effect->Record()->setParameter(effect->Record(), index, value);
      }
      const bool withSpecials = random() % 3 != 0;
      for (float& v : directBuffers.pool)
        v = RandomSample(random, withSpecials);
      widenedBuffers.pool = directBuffers.pool;
      const int frames = 1 + static_cast<int>(random() % kMaxBlock);
      const Layout layout = static_cast<Layout>(block % kLayouts);
      const bool accumulate = block % 2 == 1;
      for (auto [effect, buffers] : {std::pair<Ferrix*, HostBuffers*>{&direct, &directBuffers},
                                     {&widened, &widenedBuffers}}) {
        float *in[2], *out[2];
        buffers->Map(layout, in, out);
        AEffect* record = effect->Record();
        (accumulate ? record->process : record->processReplacing)(record, in, out, frames);
      }
      ASSERT_EQ(std::memcmp(directBuffers.pool.data(), widenedBuffers.pool.data(),
                            directBuffers.pool.size() * sizeof(float)),
                0)
          << "block " << block << ", " << frames << " frames, layout " << layout;
      const std::vector<double> state = MeterState(direct), expected = MeterState(widened);
      ASSERT_EQ(std::memcmp(state.data(), expected.data(), state.size() * sizeof(double)), 0)
          << "block " << block;
      largestReduction = std::max(largestReduction, direct.Processing().reduction.value);
    }
    EXPECT_GT(largestReduction, 0.1);  // the clipper really worked
  }
}

}  // namespace
