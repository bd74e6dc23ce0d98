#include "support/GrowBuffer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

TEST(GrowBuffer, AllocationFollowsTheGrowthRule) {
  // Small granularities: size plus the larger of the granularity and half the size.
  EXPECT_EQ(GrowBuffer::AllocationFor(10, 128), 138);
  EXPECT_EQ(GrowBuffer::AllocationFor(1000, 128), 1500);
  // Page granularity: the extra rounds down to whole pages (at least one, at most 4 MiB) and
  // the total plus 96 lands on a page boundary.
  EXPECT_EQ(GrowBuffer::AllocationFor(100, 4096), 4000);
  EXPECT_EQ(GrowBuffer::AllocationFor(5000, 4096), 8096);
  EXPECT_EQ(GrowBuffer::AllocationFor(20000, 4096), 24480);
  EXPECT_EQ(GrowBuffer::AllocationFor(100000000, 4096), 104193952);
  EXPECT_EQ(GrowBuffer::AllocationFor(100, 65536), 65440);
  for (long long size : {1LL, 4000LL, 4001LL, 123457LL, 9999999LL}) {
    EXPECT_EQ((GrowBuffer::AllocationFor(size, 4096) + 96) % 4096, 0) << size;
    EXPECT_GE(GrowBuffer::AllocationFor(size, 4096), size) << size;
  }
}

TEST(GrowBuffer, GrowsOnlyPastTheAllocationAndShrinksOnlyFarBelowIt) {
  GrowBuffer buffer(128);
  EXPECT_EQ(buffer.Data(), nullptr);
  buffer.Resize(10);
  EXPECT_EQ(buffer.Allocated(), 138);
  buffer.Resize(138);
  EXPECT_EQ(buffer.Allocated(), 138);
  buffer.Resize(1000);
  EXPECT_EQ(buffer.Allocated(), 1500);
  // Not below half the allocation: kept.
  buffer.Resize(751, true);
  EXPECT_EQ(buffer.Allocated(), 1500);
  // Far below: reallocated for the new size.
  buffer.Resize(100, true);
  EXPECT_EQ(buffer.Allocated(), 228);
  // Shrinking not allowed: kept.
  buffer.Resize(1000);
  buffer.Resize(10, false);
  EXPECT_EQ(buffer.Allocated(), 1500);
  EXPECT_EQ(buffer.Size(), 10);
}

TEST(GrowBuffer, ShrinksOnlyWhenMoreThanFourGranularitiesBelowTheAllocation) {
  GrowBuffer buffer(512);
  buffer.Resize(1000);
  EXPECT_EQ(buffer.Allocated(), 1512);
  buffer.Resize(100, true);  // below half, but only 1412 bytes (< 4 x 512) below the allocation
  EXPECT_EQ(buffer.Allocated(), 1512);
  EXPECT_EQ(buffer.Size(), 100);
}

TEST(GrowBuffer, DataReadsNullAtSizeZeroAndMinimumAllocationHolds) {
  GrowBuffer buffer(16, 1000);
  buffer.Resize(1);
  EXPECT_EQ(buffer.Allocated(), 1000);
  EXPECT_NE(buffer.Data(), nullptr);
  buffer.Resize(0);
  EXPECT_EQ(buffer.Data(), nullptr);
  buffer.Resize(-5);
  EXPECT_EQ(buffer.Size(), 0);
}

TEST(GrowBuffer, GrowZeroedFillsTheNewBytesAndAnswersTheOldSize) {
  GrowBuffer buffer(16);
  std::memset(buffer.Resize(5), 0xAB, 5);
  buffer.Resize(3);  // within the allocation: the old bytes stay behind the size
  EXPECT_EQ(buffer.GrowZeroed(4), 3);
  ASSERT_EQ(buffer.Size(), 7);
  auto* bytes = static_cast<unsigned char*>(buffer.Data());
  EXPECT_EQ(bytes[2], 0xAB);
  for (int i = 3; i < 7; ++i)
    EXPECT_EQ(bytes[i], 0) << i;
}

int gReallocFailures = 0;
int gAllocFailures = 0;
void* FailingRealloc(void* p, size_t n) {
  if (gReallocFailures > 0) return --gReallocFailures, nullptr;
  return std::realloc(p, n);
}
void* FailingMalloc(size_t n) {
  if (gAllocFailures > 0) return --gAllocFailures, nullptr;
  return std::malloc(n);
}
const GrowBuffer::Allocator kFailing{FailingRealloc, FailingMalloc, std::free};

class GrowBufferAllocationFailure : public ::testing::Test {
 protected:
  void SetUp() override { GrowBuffer::SetAllocatorForTesting(&kFailing); }
  void TearDown() override { GrowBuffer::SetAllocatorForTesting(nullptr); }
};

TEST_F(GrowBufferAllocationFailure, FailedReallocFallsBackToAllocateCopyFree) {
  GrowBuffer buffer(16);
  std::memcpy(buffer.Resize(4), "abcd", 4);
  gReallocFailures = 1;
  buffer.Resize(100);
  ASSERT_EQ(buffer.Size(), 100);
  EXPECT_EQ(std::memcmp(buffer.Data(), "abcd", 4), 0);
}

TEST_F(GrowBufferAllocationFailure, WhenEverythingFailsContentsAndSizeStay) {
  GrowBuffer buffer(16);
  std::memcpy(buffer.Resize(4), "abcd", 4);
  gReallocFailures = 1;
  gAllocFailures = 1;
  buffer.Resize(100);
  EXPECT_EQ(buffer.Size(), 4);
  EXPECT_EQ(buffer.Allocated(), 20);
  EXPECT_EQ(std::memcmp(buffer.Data(), "abcd", 4), 0);
  gReallocFailures = 1;
  gAllocFailures = 1;
  EXPECT_EQ(buffer.GrowZeroed(100), 4);
  EXPECT_EQ(buffer.Size(), 4);
}

}  // namespace
