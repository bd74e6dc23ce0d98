// FerrixLayout: the editor panel in one place — its size, the image table (resource ids, files,
// frame sizes and counts) and every control's kind, area, image and parameter, in 100 % pixels.
// The editor builds itself from it, the artwork tool draws around it, the build embeds its images
// (effect/CMakeLists.txt reads the image table's id and file pairs) and the tests check against it.
#pragma once

#include <array>

namespace ferrix_layout {

inline constexpr int kEditorWidth = 640;
inline constexpr int kEditorHeight = 480;

// Frames lie one below the other: a file is width × (frame height × frames) pixels.
struct ImageSpec {
  int id;
  const char* fileName;  // under resources/img/
  int width;
  int frameHeight;
  int frames;
};

inline constexpr int kSmallKnobImage = 101;
inline constexpr int kLargeKnobImage = 102;
inline constexpr int kLevelBarImage = 103;
inline constexpr int kShiftStripImage = 104;
inline constexpr int kThresholdMarkerImage = 105;
inline constexpr int kBackgroundImage = 106;
inline constexpr int kLampImage = 107;  // among the resources, drawn by no control
inline constexpr int kSwitchImage = 108;
inline constexpr int kReductionBarImage = 109;
inline constexpr int kWaveKnobImage = 110;
inline constexpr int kPeakLineImage = 111;

inline constexpr std::array<ImageSpec, 11> kImages = {{
    {kSmallKnobImage, "knob_small_65.png", 50, 50, 65},
    {kLargeKnobImage, "knob_large_100.png", 90, 90, 100},
    {kLevelBarImage, "vu_100.png", 35, 380, 100},
    {kShiftStripImage, "vu_side_40.png", 180, 35, 40},
    {kThresholdMarkerImage, "vu_clip_100.png", 15, 380, 100},
    {kBackgroundImage, "background.png", 640, 480, 1},
    {kLampImage, "led_2.png", 16, 16, 2},
    {kSwitchImage, "button_2.png", 15, 15, 2},
    {kReductionBarImage, "vu_reduce_100.png", 18, 380, 100},
    {kWaveKnobImage, "knob_small_wave_72.png", 50, 50, 72},
    {kPeakLineImage, "vu_peak_100.png", 35, 380, 100},
}};

inline constexpr const ImageSpec& Image(int id) {
  for (const ImageSpec& spec : kImages) {
    if (spec.id == id) return spec;
  }
  return kImages[0];  // every id asked for is in the table
}

struct Box {
  int left, top, right, bottom;
  constexpr double CentreX() const { return (left + right) * 0.5; }
  constexpr double CentreY() const { return (top + bottom) * 0.5; }
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
};

enum class ControlKind { Bitmap, Switch, Knob, ReadOut, WebAddress };

// Knobs draw their image at the area's top-left and their value text in the bottom 20 pixels.
inline constexpr int kKnobTextRow = 20;

struct PanelControl {
  ControlKind kind;
  Box area;
  int imageId;  // 0 for the texts and the web address
  int param;    // -1 for none
  int meter;    // meters: the Ferrix::Meter the block end feeds it; else -1
};

// The 23 controls the editor adds over its background, in the order it adds them (the meter feed
// and the reactions rely on it): meters, switches, knobs, the left and right level read-outs,
// the maker's web address.
inline constexpr std::array<PanelControl, 23> kControls = {{
    {ControlKind::Bitmap, {21, 48, 56, 428}, kLevelBarImage, -1, 0},
    {ControlKind::Bitmap, {74, 48, 109, 428}, kLevelBarImage, -1, 1},
    {ControlKind::Bitmap, {530, 48, 565, 428}, kLevelBarImage, -1, 2},
    {ControlKind::Bitmap, {583, 48, 618, 428}, kLevelBarImage, -1, 3},
    {ControlKind::Bitmap, {21, 48, 56, 428}, kPeakLineImage, -1, 7},
    {ControlKind::Bitmap, {74, 48, 109, 428}, kPeakLineImage, -1, 8},
    {ControlKind::Bitmap, {530, 48, 565, 428}, kPeakLineImage, -1, 9},
    {ControlKind::Bitmap, {583, 48, 618, 428}, kPeakLineImage, -1, 10},
    {ControlKind::Bitmap, {56, 48, 74, 428}, kReductionBarImage, -1, 6},
    {ControlKind::Bitmap, {57, 48, 72, 428}, kThresholdMarkerImage, -1, 4},
    {ControlKind::Bitmap, {235, 272, 415, 307}, kShiftStripImage, -1, 5},
    {ControlKind::Switch, {320, 200, 335, 215}, kSwitchImage, 6, -1},
    {ControlKind::Switch, {248, 416, 263, 431}, kSwitchImage, 8, -1},
    {ControlKind::Switch, {385, 416, 400, 431}, kSwitchImage, 7, -1},
    {ControlKind::Knob, {214, 136, 304, 246}, kLargeKnobImage, 2, -1},
    {ControlKind::Knob, {352, 136, 442, 246}, kLargeKnobImage, 3, -1},
    {ControlKind::Knob, {232, 320, 282, 390}, kWaveKnobImage, 4, -1},
    {ControlKind::Knob, {368, 320, 418, 390}, kSmallKnobImage, 5, -1},
    {ControlKind::Knob, {119, 320, 169, 390}, kSmallKnobImage, 0, -1},
    {ControlKind::Knob, {477, 320, 527, 390}, kSmallKnobImage, 1, -1},
    {ControlKind::ReadOut, {530, 26, 565, 48}, 0, -1, -1},
    {ControlKind::ReadOut, {583, 26, 618, 48}, 0, -1, -1},
    {ControlKind::WebAddress, {534, 464, 614, 478}, 0, -1, -1},
}};

// Named pieces of the table above.
inline constexpr Box kInputBarLeft = kControls[0].area;
inline constexpr Box kInputBarRight = kControls[1].area;
inline constexpr Box kOutputBarLeft = kControls[2].area;
inline constexpr Box kOutputBarRight = kControls[3].area;
inline constexpr Box kReductionMeter = kControls[8].area;
inline constexpr Box kShiftMeter = kControls[10].area;
inline constexpr Box kLinkSwitch = kControls[11].area;
inline constexpr Box kBypassSwitch = kControls[12].area;
inline constexpr Box kFastSwitch = kControls[13].area;
inline constexpr Box kThresholdInitialKnob = kControls[14].area;
inline constexpr Box kThresholdEndKnob = kControls[15].area;
inline constexpr Box kClipShapeKnob = kControls[16].area;
inline constexpr Box kThresholdTimeKnob = kControls[17].area;
inline constexpr Box kInputGainKnob = kControls[18].area;
inline constexpr Box kOutputGainKnob = kControls[19].area;
inline constexpr Box kReadOutLeft = kControls[20].area;
inline constexpr Box kReadOutRight = kControls[21].area;
inline constexpr Box kWebAddress = kControls[22].area;

// The light window both level read-outs print into, split by a divider line between the output
// columns: each read-out's text must stay inside its half.
inline constexpr Box kReadOutWindow = {519, 24, 629, 44};
inline constexpr int kReadOutDivider = (kOutputBarLeft.right + kOutputBarRight.left) / 2;

// Text sizes (cell heights) of the knobs' value texts and of the read-outs, face "Ubuntu".
inline constexpr int kKnobTextSize = 16;
inline constexpr int kReadOutTextSize = 14;

}  // namespace ferrix_layout
