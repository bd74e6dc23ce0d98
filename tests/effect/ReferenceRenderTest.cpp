#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tools/programs/renders/ReferenceScenes.h"

namespace {

const std::string kDataDir = FERRIX_REFERENCE_RENDERS;

// Index of the first value whose bits differ, or −1.
long FirstDifference(const std::vector<double>& a, const std::vector<double>& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (std::memcmp(&a[i], &b[i], sizeof(double)) != 0) return static_cast<long>(i);
  }
  return a.size() == b.size() ? -1 : static_cast<long>(std::min(a.size(), b.size()));
}

TEST(ReferenceRenders, InputsAreTheGeneratorsSignals) {
  for (const auto& [name, signal] : ReferenceInputs()) {
    std::vector<double> stored;
    ASSERT_TRUE(ReadDoubles(kDataDir + "/" + name + ".in", &stored)) << name;
    EXPECT_EQ(FirstDifference(stored, Interleave(signal)), -1) << name;
  }
}

// Through 64-bit and 32-bit host buffers, on every kind of frames this processor runs.
TEST(ReferenceRenders, EverySceneSoundsBitForBitAsFrozen) {
  std::vector<ClipShifter::Vectors> kinds = {ClipShifter::Vectors::kSse2};
  if (ClipShifter::Widest() == ClipShifter::Vectors::kAvx2)
    kinds.push_back(ClipShifter::Vectors::kAvx2);
  for (const Scene& scene : ReferenceScenes()) {
    std::vector<double> input;
    ASSERT_TRUE(ReadDoubles(kDataDir + "/" + scene.input + ".in", &input));
    for (EntryPoint entry : {EntryPoint::kDouble, EntryPoint::kFloat}) {
      const std::string name = scene.name + std::string(FileSuffix(entry));
      std::vector<double> output, meters;
      ASSERT_TRUE(ReadDoubles(kDataDir + "/" + name + ".out", &output)) << name;
      ASSERT_TRUE(ReadDoubles(kDataDir + "/" + name + ".meters", &meters)) << name;
      for (ClipShifter::Vectors kind : kinds) {
        const Render render = RenderScene(scene, Deinterleave(input), entry, kind);
        const long sample = FirstDifference(render.output, output);
        EXPECT_EQ(sample, -1) << name << " (frames " << static_cast<int>(kind)
                              << "): first different frame " << sample / 2;
        const long meter = FirstDifference(render.meters, meters);
        EXPECT_EQ(meter, -1) << name << " (frames " << static_cast<int>(kind)
                             << "): first different meter block " << meter / 12;
      }
    }
  }
}

}  // namespace
