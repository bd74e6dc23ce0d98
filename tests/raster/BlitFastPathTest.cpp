// The fast blit kernels give exactly the bytes of the exact kernels, on random data with runs
// of transparent and opaque pixels and every row length remainder.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "raster/BlendMode.h"
#include "raster/BlitKernels.h"

namespace {

std::vector<uint8_t> RandomPixels(std::mt19937& random, int count) {
  std::vector<uint8_t> bytes(static_cast<size_t>(count) * 4);
  for (int i = 0; i < count; ++i) {
    for (int b = 0; b < 4; ++b)
      bytes[4 * i + b] = static_cast<uint8_t>(random());
    const unsigned kind = random() % 4;  // runs of clear and opaque pixels occur in images
    if (kind == 0) bytes[4 * i + 3] = 0;
    if (kind == 1) bytes[4 * i + 3] = 255;
  }
  return bytes;
}

void CheckAgainstExact(BlitKernel fast) {
  const int operation = BLEND_COPY | BLEND_USE_SOURCE_ALPHA;
  BlitKernel exact = ExactBlitKernel(operation);
  std::mt19937 random(7);
  for (int columns = 1; columns <= 37; ++columns) {
    const int rows = 5;
    const auto source = RandomPixels(random, columns * rows);
    const auto destination = RandomPixels(random, columns * rows);
    auto expected = destination, actual = destination;
    const ptrdiff_t step = columns * 4;
    // Bottom-up walking: start at the last row with a negative step.
    const ptrdiff_t last = (rows - 1) * step;
    exact({expected.data() + last, -step, source.data() + last, -step, columns, rows}, 256);
    fast({actual.data() + last, -step, source.data() + last, -step, columns, rows}, 256);
    ASSERT_EQ(actual, expected) << columns;
  }
  // Every source alpha against every destination byte difference sign.
  std::vector<uint8_t> source, destination;
  for (int sa = 0; sa < 256; ++sa)
    for (int d : {0, 1, 127, 128, 254, 255}) {
      source.insert(source.end(), {200, 3, 128, static_cast<uint8_t>(sa)});
      destination.insert(destination.end(), {static_cast<uint8_t>(d), static_cast<uint8_t>(d),
                                             static_cast<uint8_t>(d), static_cast<uint8_t>(d)});
    }
  const int count = static_cast<int>(source.size() / 4);
  auto expected = destination, actual = destination;
  exact({expected.data(), 0, source.data(), 0, count, 1}, 256);
  fast({actual.data(), 0, source.data(), 0, count, 1}, 256);
  EXPECT_EQ(actual, expected);
}

TEST(BlitFastPaths, MatchTheExactKernelsByteForByte) {
  const int operation = BLEND_COPY | BLEND_USE_SOURCE_ALPHA;
  ASSERT_NE(FastBlitKernel(operation, 256), nullptr);
  EXPECT_EQ(FastBlitKernel(operation, 255), nullptr);
  {
    SCOPED_TRACE("SSE2");
    CheckAgainstExact(FastBlitKernelFor(operation, 256, VectorLevel::kSse2));
  }
  if (WidestVectorLevel() == VectorLevel::kAvx2) {
    SCOPED_TRACE("AVX2");
    CheckAgainstExact(FastBlitKernelFor(operation, 256, VectorLevel::kAvx2));
  }
}

}  // namespace
