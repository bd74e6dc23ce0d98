// The editor's images: resource id, file name under resources/img/, frame size and frame count.
// Frames lie one below the other, so a file is width × (frame height × frames) pixels.
#pragma once

#include <array>

namespace artwork {

struct ImageSpec {
  int id;
  const char* fileName;
  int width;
  int frameHeight;
  int frames;
};

inline constexpr std::array<ImageSpec, 11> kImages = {{
    {101, "knob_small_65.png", 50, 50, 65},
    {102, "knob_large_100.png", 90, 90, 100},
    {103, "vu_100.png", 35, 380, 100},
    {104, "vu_side_40.png", 180, 35, 40},
    {105, "vu_clip_100.png", 15, 380, 100},
    {106, "background.png", 640, 480, 1},
    {107, "led_2.png", 16, 16, 2},  // present among the resources, drawn by no control
    {108, "button_2.png", 15, 15, 2},
    {109, "vu_reduce_100.png", 18, 380, 100},
    {110, "knob_small_wave_72.png", 50, 50, 72},
    {111, "vu_peak_100.png", 35, 380, 100},
}};

inline constexpr const ImageSpec& Image(int id) {
  for (const ImageSpec& spec : kImages) {
    if (spec.id == id) return spec;
  }
  return kImages[0];  // every id asked for is in the table
}

// Fraction 0..1 shown by frame `frame` (1-based) of an image with `frames` frames: the editor
// maps control values 0..1 linearly onto frames 1..N.
inline constexpr double FrameFraction(int frame, int frames) {
  return frames <= 1 ? 0.0 : static_cast<double>(frame - 1) / (frames - 1);
}

}  // namespace artwork
