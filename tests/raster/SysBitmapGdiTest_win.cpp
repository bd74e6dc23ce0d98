// Under Windows (wine) a SysBitmap is a real DIB section: GDI drawing into its context lands in
// Bits(), top row first.
#include <windows.h>

#include <gtest/gtest.h>

#include "raster/SysBitmap.h"

namespace {

TEST(SysBitmapGdi, DrawingIntoTheContextLandsInBits) {
  SysBitmap bitmap(10, 6);
  ASSERT_NE(bitmap.SystemDC(), nullptr);
  ASSERT_NE(bitmap.Bits(), nullptr);
  for (int i = 0; i < bitmap.RowSpan() * bitmap.Height(); ++i)
    bitmap.Bits()[i] = 0;
  auto context = static_cast<HDC>(bitmap.SystemDC());
  HBRUSH brush = CreateSolidBrush(RGB(255, 128, 0));
  const RECT top{2, 0, 5, 2};
  FillRect(context, &top, brush);
  DeleteObject(brush);
  GdiFlush();
  const int span = bitmap.RowSpan();
  EXPECT_EQ(span, 12);
  // GDI leaves the alpha byte 0.
  EXPECT_EQ(bitmap.Bits()[0 * span + 2], 0x00FF8000u);
  EXPECT_EQ(bitmap.Bits()[1 * span + 4], 0x00FF8000u);
  EXPECT_EQ(bitmap.Bits()[1 * span + 5], 0u);
  EXPECT_EQ(bitmap.Bits()[2 * span + 2], 0u);
  // A smaller size keeps the section and the context.
  EXPECT_TRUE(bitmap.Resize(4, 4));
  EXPECT_EQ(bitmap.RowSpan(), 12);
  EXPECT_EQ(bitmap.SystemDC(), context);
}

}  // namespace
