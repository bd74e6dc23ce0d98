// The audio path allocates nothing: ten seconds of 32-bit (direct, replacing and adding) and
// 64-bit processing through the effect record, with the editor attached and its meters and
// read-outs changing every block, under replaced allocation functions that count.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "effect/Ferrix.h"
#include "graphics/IGraphics.h"
#include "graphics/ITextControl.h"
#include "tests/effect/AllocationCounter.h"

namespace {

TEST(AudioPath, TenSecondsWithTheEditorAllocateNothing) {
  constexpr int kRate = 44100, kBlock = 512;
  Ferrix effect(nullptr);
  AEffect* record = effect.Record();
  record->dispatcher(record, effOpen, 0, 0, nullptr, 0.0f);
  record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
  record->dispatcher(record, effSetBlockSize, 0, kBlock, nullptr, 0.0f);
  record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f);
  record->setParameter(record, 0, 0.8f);  // input gain +13.2 dB: the clipper works
  ASSERT_NE(effect.Graphics(), nullptr);

  std::vector<float> in32[2], out32[2];
  std::vector<double> in64[2], out64[2];
  for (int c = 0; c < 2; ++c) {
    in32[c].resize(kBlock), out32[c].resize(kBlock);
    in64[c].resize(kBlock), out64[c].resize(kBlock);
  }
  float* in32p[2] = {in32[0].data(), in32[1].data()};
  float* out32p[2] = {out32[0].data(), out32[1].data()};
  double* in64p[2] = {in64[0].data(), in64[1].data()};
  double* out64p[2] = {out64[0].data(), out64[1].data()};

  allocation_counter::count = 0;
  allocation_counter::counting = true;
  long handOffs = 0;
  int textChanges = 0;
  char last[SharedText::kCapacity] = "", now[SharedText::kCapacity];
  for (int block = 0, frame = 0; frame < 10 * kRate; ++block, frame += kBlock) {
    // A tone whose loudness swells and falls every two seconds: meters and texts keep moving.
    for (int i = 0; i < kBlock; ++i) {
      const double t = static_cast<double>(frame + i) / kRate;
      const double v = std::sin(t * 2300.0) * (0.5 + 0.5 * std::sin(t * 3.14159));
      in32[0][i] = static_cast<float>(v), in32[1][i] = static_cast<float>(-v);
      in64[0][i] = v, in64[1][i] = 0.5 * v;
    }
    if (block % 3 == 0)
      record->processDoubleReplacing(record, in64p, out64p, kBlock);
    else
      (block % 3 == 1 ? record->processReplacing : record->process)(record, in32p, out32p, kBlock);
    ++handOffs;
    effect.LevelReadout(0)->Text(now);
    textChanges += std::string_view(now) != last;
    std::copy(now, now + sizeof now, last);
  }
  allocation_counter::counting = false;
  EXPECT_EQ(allocation_counter::count.load(), 0)
      << "allocations in " << handOffs
      << " blocks (malloc counted too: " << allocation_counter::CountsMalloc() << ")";
  EXPECT_GT(textChanges, 100);
}

}  // namespace
