#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tools/renders/ReferenceScenes.h"

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

TEST(ReferenceRenders, EverySceneSoundsBitForBitAsFrozen) {
  for (const Scene& scene : ReferenceScenes()) {
    std::vector<double> input, output, meters;
    ASSERT_TRUE(ReadDoubles(kDataDir + "/" + scene.input + ".in", &input));
    ASSERT_TRUE(ReadDoubles(kDataDir + "/" + scene.name + ".out", &output));
    ASSERT_TRUE(ReadDoubles(kDataDir + "/" + scene.name + ".meters", &meters));
    const Render render = RenderScene(scene, Deinterleave(input));
    const long sample = FirstDifference(render.output, output);
    EXPECT_EQ(sample, -1) << scene.name << ": first different frame " << sample / 2;
    const long meter = FirstDifference(render.meters, meters);
    EXPECT_EQ(meter, -1) << scene.name << ": first different meter block " << meter / 12;
  }
}

}  // namespace
