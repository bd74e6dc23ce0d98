// The reciprocal table and the integer HSV conversions in both directions.
#include <gtest/gtest.h>

#include "raster/Hsv.h"
#include "raster/ReciprocalTable.h"

namespace {

TEST(ReciprocalTable, HoldsSixtyFourKOverNMinusOne) {
  EXPECT_EQ(kReciprocalTable[0], 0);
  EXPECT_EQ(kReciprocalTable[1], 65535);
  EXPECT_EQ(kReciprocalTable[2], 32767);
  EXPECT_EQ(kReciprocalTable[3], 21844);
  EXPECT_EQ(kReciprocalTable[255], 256);
}

TEST(Hsv, PrimaryAndSecondaryColoursSitOnTheSixths) {
  // Pure colours: saturation table[255] x 255 / 256 = 255, value 255. Where two channels tie
  // the hue comes from a full numerator: +-255 x 257 / 1024 = +-63 (truncated toward zero).
  struct Case {
    int r, g, b, hue;
  } cases[] = {{255, 0, 0, 0},     {255, 255, 0, 63}, {0, 255, 0, 128},
               {0, 255, 255, 193}, {0, 0, 255, 256},  {255, 0, 255, 319}};
  for (const Case& c : cases) {
    const Hsv hsv = RgbToHsv(c.r, c.g, c.b);
    EXPECT_EQ(hsv.hue, c.hue) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(hsv.saturation, 255);
    EXPECT_EQ(hsv.value, 255);
  }
  const Hsv grey = RgbToHsv(90, 90, 90);
  EXPECT_EQ(grey.saturation, 0);
  EXPECT_EQ(grey.value, 90);
}

TEST(Hsv, BackToPixels) {
  EXPECT_EQ(HsvToPixel(0, 255, 255, 0x1FF), 0xFFFF0000u);  // alpha: low 8 bits
  EXPECT_EQ(HsvToPixel(128, 255, 255, 0), 0x0000FF00u);
  // p = 200 x 128 / 256 = 100; falling edge at h 96: 200 x (16384 - 32 x 128) / 16384 = 150.
  EXPECT_EQ(HsvToPixel(96, 128, 200, 0x80), 0x8096C864u);
  // Rising edge at h 300: R 200 x (16384 - 20 x 128) / 16384 = 168.
  EXPECT_EQ(HsvToPixel(300, 128, 200, 0), 0x00A864C8u);
  EXPECT_EQ(HsvToPixel(383, 0, 77, 0), 0x004D4D4Du);
}

}  // namespace
