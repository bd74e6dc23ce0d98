// Sizing rules of MemBitmap and SysBitmap.
#include <gtest/gtest.h>

#include <cstdint>

#include "raster/MemBitmap.h"
#include "raster/SysBitmap.h"

namespace {

bool Aligned64(const void* p) {
  return reinterpret_cast<uintptr_t>(p) % 64 == 0;
}

TEST(MemBitmap, RowsArePaddedToFourPixelsAndStartAligned) {
  MemBitmap bitmap(5, 3);
  EXPECT_EQ(bitmap.RowSpan(), 8);
  EXPECT_EQ(bitmap.AllocatedBytes(), 96);
  ASSERT_NE(bitmap.Bits(), nullptr);
  EXPECT_TRUE(Aligned64(bitmap.Bits()));
  EXPECT_EQ(bitmap.SystemDC(), nullptr);
  EXPECT_FALSE(bitmap.IsBottomUp());
}

TEST(MemBitmap, GrowsByAQuarterAndNeverShrinksWhileSized) {
  MemBitmap bitmap(100, 100);
  EXPECT_EQ(bitmap.AllocatedBytes(), 40000);
  EXPECT_TRUE(bitmap.Resize(101, 100));
  EXPECT_EQ(bitmap.RowSpan(), 104);
  EXPECT_EQ(bitmap.AllocatedBytes(), 52000);
  Pixel* grown = bitmap.Bits();
  EXPECT_TRUE(bitmap.Resize(100, 100));
  EXPECT_EQ(bitmap.AllocatedBytes(), 52000);
  EXPECT_EQ(bitmap.Bits(), grown);
  EXPECT_FALSE(bitmap.Resize(100, 100));
}

TEST(MemBitmap, EmptySizesFreeTheBlock) {
  MemBitmap none;
  EXPECT_EQ(none.Bits(), nullptr);
  EXPECT_EQ(none.AllocatedBytes(), 0);
  MemBitmap bitmap(4, 4);
  EXPECT_TRUE(bitmap.Resize(0, 5));
  EXPECT_EQ(bitmap.Bits(), nullptr);
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 0);
  EXPECT_EQ(bitmap.AllocatedBytes(), 0);
}

TEST(MemBitmap, NegativeAndHugeSizesLeaveItEmpty) {
  MemBitmap negative(-3, 4);
  EXPECT_EQ(negative.Bits(), nullptr);
  EXPECT_EQ(negative.Width(), 0);
  MemBitmap huge(1 << 20, 1 << 20);  // 4 TiB would overflow the 32-bit byte count
  EXPECT_EQ(huge.Bits(), nullptr);
  EXPECT_EQ(huge.Width(), 0);
  EXPECT_EQ(huge.Height(), 0);
}

TEST(SysBitmap, ShrinkingKeepsTheSectionAndGrowingPastItReplacesIt) {
  SysBitmap bitmap(100, 50);
  void* context = bitmap.SystemDC();
  ASSERT_NE(bitmap.Bits(), nullptr);
  EXPECT_TRUE(Aligned64(bitmap.Bits()));
  EXPECT_EQ(bitmap.RowSpan(), 100);
  Pixel* bits = bitmap.Bits();
  EXPECT_TRUE(bitmap.Resize(60, 40));
  EXPECT_EQ(bitmap.Width(), 60);
  EXPECT_EQ(bitmap.RowSpan(), 100);
  EXPECT_EQ(bitmap.Bits(), bits);
  EXPECT_TRUE(bitmap.Resize(101, 50));
  EXPECT_EQ(bitmap.RowSpan(), 104);
  ASSERT_NE(bitmap.Bits(), nullptr);
  EXPECT_FALSE(bitmap.Resize(101, 50));
  EXPECT_EQ(bitmap.SystemDC(), context);
}

TEST(SysBitmap, EmptySizesReleaseTheSectionAndAnswerFalse) {
  SysBitmap bitmap(8, 8);
  EXPECT_FALSE(bitmap.Resize(0, 0));
  EXPECT_EQ(bitmap.Bits(), nullptr);
  SysBitmap other(8, 8);
  EXPECT_FALSE(other.Resize(0, 5));
  EXPECT_EQ(other.Bits(), nullptr);
  EXPECT_EQ(other.Width(), 0);
  EXPECT_EQ(other.Height(), 0);
  SysBitmap negative(-4, 2);
  EXPECT_EQ(negative.Bits(), nullptr);
  EXPECT_EQ(negative.Height(), 0);
  EXPECT_TRUE(negative.Resize(3, 2));
  EXPECT_EQ(negative.RowSpan(), 4);
}

}  // namespace
