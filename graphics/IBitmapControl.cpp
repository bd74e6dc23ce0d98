// IBitmapControl and ISwitchControl: frame choice, frame drawing and switch stepping.
#include "graphics/IBitmapControl.h"

#include <algorithm>

#include "graphics/IGraphics.h"

namespace {
// A step that lands above this has passed the last frame.
constexpr double kSwitchWrapLimit = 1.001;
}  // namespace

int FrameForValue(int frames, double value) {
  // Held within 0..1 first (the frame is the same), so that no value converts out of int's range.
  value = std::clamp(IControl::FiniteValue(value), 0.0, 1.0);
  const int frame = static_cast<int>((frames - 1) * value + 0.5) + 1;
  return std::clamp(frame, 1, std::max(frames, 1));
}

IBitmapControl::IBitmapControl(EffectBase* effect, int x, int y, int paramIndex,
                               const IImage& image, const IBlend& blend)
    : IControl(effect, {x, y, x + image.FrameWidth(), y + image.FrameHeight()}, paramIndex, blend),
      image_(image) {}

bool IBitmapControl::Draw(IGraphics* editor) {
  const int frames = image_.Frames();
  const int frame = frames <= 1 ? 1 : FrameForValue(frames, Value());
  const IBlend blend = Blend();
  return editor->BlitImageFrame(image_, area_, frame, &blend);
}

void ISwitchControl::MouseDown(int, int, const IMouseKeys&) {
  const int frames = image_.Frames();
  double value = Value() + (frames > 1 ? 1.0 / (frames - 1) : 1.0);
  if (value > kSwitchWrapLimit) value = 0.0;
  SetValue(value);
  MarkDirty(true);
}

void ISwitchControl::MouseDoubleClick(int x, int y, const IMouseKeys& keys) {
  MouseDown(x, y, keys);
}
