// Where the editor places its controls on the 640 × 480 panel, so that the panel's captions,
// scales and value windows line up with them.
#pragma once

#include <array>
#include <cmath>

namespace artwork {

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
};

// The 23 controls the editor adds over its background, in the order it adds them.
inline constexpr std::array<PanelControl, 23> kControls = {{
    {ControlKind::Bitmap, {21, 48, 56, 428}, 103, -1},
    {ControlKind::Bitmap, {74, 48, 109, 428}, 103, -1},
    {ControlKind::Bitmap, {530, 48, 565, 428}, 103, -1},
    {ControlKind::Bitmap, {583, 48, 618, 428}, 103, -1},
    {ControlKind::Bitmap, {21, 48, 56, 428}, 111, -1},
    {ControlKind::Bitmap, {74, 48, 109, 428}, 111, -1},
    {ControlKind::Bitmap, {530, 48, 565, 428}, 111, -1},
    {ControlKind::Bitmap, {583, 48, 618, 428}, 111, -1},
    {ControlKind::Bitmap, {56, 48, 74, 428}, 109, -1},
    {ControlKind::Bitmap, {57, 48, 72, 428}, 105, -1},
    {ControlKind::Bitmap, {235, 272, 415, 307}, 104, -1},
    {ControlKind::Switch, {320, 200, 335, 215}, 108, 6},
    {ControlKind::Switch, {248, 416, 263, 431}, 108, 8},
    {ControlKind::Switch, {385, 416, 400, 431}, 108, 7},
    {ControlKind::Knob, {214, 136, 304, 246}, 102, 2},
    {ControlKind::Knob, {352, 136, 442, 246}, 102, 3},
    {ControlKind::Knob, {232, 320, 282, 390}, 110, 4},
    {ControlKind::Knob, {368, 320, 418, 390}, 101, 5},
    {ControlKind::Knob, {119, 320, 169, 390}, 101, 0},
    {ControlKind::Knob, {477, 320, 527, 390}, 101, 1},
    {ControlKind::ReadOut, {530, 26, 565, 48}, 0, -1},
    {ControlKind::ReadOut, {583, 26, 618, 48}, 0, -1},
    {ControlKind::WebAddress, {534, 464, 614, 478}, 0, -1},
}};

// Named pieces of the table above that the panel drawing refers to.
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

// The meters show linear amplitudes: the mark for d dB sits at the bar fraction 10^(d/20).
inline double DecibelFraction(double decibels) {
  return std::pow(10.0, decibels / 20.0);
}

// Panel row of the top edge of a bar of height `barHeight` starting at `barTop`, filled to
// `fraction`.
inline double BarLevelY(double barTop, double barHeight, double fraction) {
  return barTop + barHeight * (1.0 - fraction);
}

inline constexpr std::array<int, 12> kScaleMarks = {0,  -1,  -2,  -3,  -4,  -6,
                                                    -8, -10, -15, -20, -30, -40};

}  // namespace artwork
