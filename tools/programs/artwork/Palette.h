// The colours of the artwork, named once: a dark panel, light engraved captions, amber for values
// and switches, green to red for levels.
#pragma once

namespace artwork {

struct Rgb {
  double r, g, b;
};

inline constexpr Rgb Hex(unsigned rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

inline constexpr Rgb kPanel = Hex(0x2a2d31);
inline constexpr Rgb kPanelDark = Hex(0x17191c);   // recessed meter bays and tracks
inline constexpr Rgb kBayFloor = Hex(0x0c0d0f);    // inside a meter slot
inline constexpr Rgb kCaption = Hex(0xd9dde2);     // engraved caption text
inline constexpr Rgb kCaptionDim = Hex(0x8c939b);  // scale numbers, small print
inline constexpr Rgb kAccent = Hex(0xff9a2e);      // value arcs, lit switches, shift marker
inline constexpr Rgb kAccentDim = Hex(0x4a3016);
inline constexpr Rgb kWindow = Hex(0xc9d1bd);  // value windows: black text reads on them
inline constexpr Rgb kWindowEdge = Hex(0x7d8572);
inline constexpr Rgb kLevelLow = Hex(0x39d67c);
inline constexpr Rgb kLevelMid = Hex(0xc9e04a);
inline constexpr Rgb kLevelHigh = Hex(0xffb22e);
inline constexpr Rgb kLevelClip = Hex(0xff3d33);
inline constexpr Rgb kReduction = Hex(0xff6a3d);
inline constexpr Rgb kThresholdMarker = Hex(0x6fd3ff);
inline constexpr Rgb kPeakLine = Hex(0xf4f6f8);

}  // namespace artwork
