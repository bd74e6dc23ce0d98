// The committed editor images: each decodes with our PNG loader to its exact strip size, and the
// meter, switch and strip frames show what their frame numbers stand for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "effect/FerrixLayout.h"
#include "raster/LoadPng.h"

namespace {

using ferrix_layout::ImageSpec;
using ferrix_layout::kImages;

std::unique_ptr<RasterBitmap> Load(const char* name) {
  const std::string path = std::string(FERRIX_EDITOR_IMAGES) + "/" + name;
  return std::unique_ptr<RasterBitmap>(LoadPngFile(path.c_str()));
}

// One frame of a loaded strip, read as channels.
struct Frame {
  RasterBitmap* strip;
  int frameHeight, frame;
  Pixel At(int x, int y) const {
    return strip->Bits()[static_cast<size_t>((frame - 1) * frameHeight + y) * strip->RowSpan() + x];
  }
  int Alpha(int x, int y) const { return static_cast<int>(At(x, y) >> 24); }
  int Brightest(int x, int y) const {
    const Pixel p = At(x, y);
    return static_cast<int>(std::max({(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF}));
  }
};

TEST(EditorImages, EachDecodesToItsStripSize) {
  for (const ImageSpec& image : kImages) {
    SCOPED_TRACE(image.fileName);
    auto bitmap = Load(image.fileName);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), image.width);
    EXPECT_EQ(bitmap->Height(), image.frameHeight * image.frames);
    EXPECT_FALSE(bitmap->IsBottomUp());
  }
  auto background = Load("background.png");
  ASSERT_NE(background, nullptr);
  for (int y = 0; y < 480; y += 7) {
    for (int x = 0; x < 640; x += 7)
      ASSERT_EQ(background->Bits()[y * background->RowSpan() + x] >> 24, 0xFFu);
  }
}

// True when the pixel of frame k is lit: well brighter than the same pixel of frame 1, where
// every row is unlit.
bool Lit(RasterBitmap* strip, int k, int x, int y) {
  return Frame{strip, 380, k}.Brightest(x, y) > 2 * Frame{strip, 380, 1}.Brightest(x, y) + 10;
}

// A meter frame k of 100 stands for (k - 1) / 99 of its 380 rows. Bars are measured down their
// middle column; markers by their opaque rows.
TEST(EditorImages, MeterFramesFollowTheirFraction) {
  auto bar = Load("vu_100.png");
  auto reduce = Load("vu_reduce_100.png");
  auto peak = Load("vu_peak_100.png");
  auto marker = Load("vu_clip_100.png");
  ASSERT_TRUE(bar && reduce && peak && marker);
  for (int k : {1, 2, 50, 99, 100}) {
    SCOPED_TRACE(k);
    const double rows = 380.0 * (k - 1) / 99;  // rows lit at frame k
    int litRows = 0, reducedRows = 0, peakRows = 0, markerRows = 0;
    double peakSum = 0, markerSum = 0;
    for (int y = 0; y < 380; ++y) {
      litRows += Lit(bar.get(), k, 17, y);
      reducedRows += Lit(reduce.get(), k, 9, y);
      if (Frame{peak.get(), 380, k}.Alpha(17, y) >= 128) peakSum += y, ++peakRows;
      if (Frame{marker.get(), 380, k}.Alpha(7, y) >= 128) markerSum += y, ++markerRows;
    }
    EXPECT_NEAR(litRows, rows, 1.0);
    EXPECT_NEAR(reducedRows, rows, 1.0);
    // The level bar fills from the bottom row, the reduction bar hangs from the top row.
    EXPECT_EQ(Lit(bar.get(), k, 17, 379), k > 1);
    EXPECT_EQ(Lit(reduce.get(), k, 9, 0), k > 1);
    // Peak line and threshold marker: short, centred on the level, kept inside the frame.
    ASSERT_GT(peakRows, 0);
    ASSERT_GT(markerRows, 0);
    EXPECT_LE(peakRows, 4);
    EXPECT_LE(markerRows, 7);
    EXPECT_NEAR(peakSum / peakRows, 380 - rows, 3.0);
    EXPECT_NEAR(markerSum / markerRows, 380 - rows, 4.0);
  }
}

// The shift strip's marker (its brightest column on the middle row) travels left to right; the
// switch lamp is dark off and lit on.
TEST(EditorImages, StripMarkerAndSwitchFrames) {
  auto strip = Load("vu_side_40.png");
  ASSERT_NE(strip, nullptr);
  int previous = -1;
  for (int k = 1; k <= 40; ++k) {
    const Frame f{strip.get(), 35, k};
    int brightest = 0;
    for (int x = 0; x < 180; ++x) {
      if (f.Brightest(x, 17) > f.Brightest(brightest, 17)) brightest = x;
    }
    EXPECT_GT(brightest, previous) << k;
    previous = brightest;
    if (k == 1) {
      EXPECT_LT(brightest, 12);
    }
  }
  EXPECT_GT(previous, 168);
  for (const char* name : {"button_2.png", "led_2.png"}) {
    auto sw = Load(name);
    ASSERT_NE(sw, nullptr);
    const int size = sw->Width();
    const int off = Frame{sw.get(), size, 1}.Brightest(size / 2, size / 2);
    const int on = Frame{sw.get(), size, 2}.Brightest(size / 2, size / 2);
    EXPECT_GT(on, 200) << name;
    EXPECT_LT(off, 110) << name;
  }
}

// The OUT column's numbers sit in the dark gap between its bars. The top one, "0", lies whole
// below the read-out window's frame: a dark row between them, and as many rows of ink as the
// "-1" further down.
TEST(EditorImages, OutColumnZeroIsWholeBelowTheReadOutWindow) {
  using namespace ferrix_layout;
  auto background = Load(Image(kBackgroundImage).fileName);
  ASSERT_NE(background, nullptr);
  const auto inkRows = [&](int top, int bottom) {
    std::vector<int> rows;
    for (int y = top; y < bottom; ++y) {
      for (int x = kOutputBarLeft.right + 1; x < kOutputBarRight.left - 1; ++x) {
        if (Frame{background.get(), 480, 1}.Brightest(x, y) > 40) {
          rows.push_back(y);
          break;
        }
      }
    }
    return rows;
  };
  const int frameBottom = kReadOutWindow.bottom + 1;
  const std::vector<int> zero = inkRows(frameBottom, frameBottom + 20);
  const std::vector<int> minusOne = inkRows(80, 100);
  ASSERT_FALSE(zero.empty());
  EXPECT_GT(zero.front(), frameBottom);
  EXPECT_EQ(zero.size(), minusOne.size());
}

}  // namespace
