// IKnobControl and IKnobMultiControlText: geared dragging, the text-area click and drawing.
#include "graphics/IKnobControl.h"

#include <cstdio>
#include <cstring>

#include "graphics/IBitmapControl.h"
#include "graphics/IGraphics.h"
#include "plugin_core/EffectBase.h"

namespace {
constexpr double kFineGearingFactor = 10.0;
// How far around the value text a click still counts as a click on it.
constexpr int kTextHitLeft = 5;
constexpr int kTextHitUp = 2;
constexpr int kTextHitRight = 5;
constexpr int kTextHitDown = 7;
constexpr int kValueTextSize = 128;
}  // namespace

IKnobControl::IKnobControl(EffectBase* effect, const IBounds& area, int paramIndex,
                           const IBlend& blend)
    : IControl(effect, area, paramIndex, blend) {}

void IKnobControl::MouseDrag(int, int, int dx, int dy, const IMouseKeys& keys) {
  double gearing = gearing_;
  if (keys.control || keys.shift) gearing *= kFineGearingFactor;
  // Screen y grows downwards: moving up raises the value.
  const int span = direction_ == Vertical ? area_.top - area_.bottom : area_.right - area_.left;
  const int moved = direction_ == Vertical ? dy : dx;
  if (span == 0) return;
  // No store for no movement: a value the plug-in set meanwhile stays.
  if (moved != 0) SetValue(Value() + static_cast<double>(moved) / span / gearing);
  MarkDirty(true);
}

IKnobMultiControlText::IKnobMultiControlText(EffectBase* effect, const IBounds& area,
                                             int paramIndex, const IImage& image,
                                             const ITextStyle& textStyle)
    : IKnobControl(effect, area, paramIndex, {IBlend::BlendAlpha, 1.0f}),
      textArea_{area.left, area.bottom - kTextHeight, area.right, area.bottom},
      imageArea_{area.left, area.top, area.left + image.FrameWidth(),
                 area.top + image.FrameHeight()},
      image_(image) {
  textStyle_ = textStyle;
  drawsText_ = true;
  SetPromptDisabled(false);
}

void IKnobMultiControlText::MouseDown(int x, int y, const IMouseKeys& keys) {
  const IBounds textHit{textArea_.left - kTextHitLeft, textArea_.top - kTextHitUp,
                        textArea_.right + kTextHitRight, textArea_.bottom + kTextHitDown};
  if (textHit.Contains(x, y)) {
    if (paramIndex_ < 0 || PromptDisabled() || !Editor() || !effect_) return;
    IBounds area = textArea_;
    Editor()->PromptForValue(this, effect_->GetParam(paramIndex_), &area);
    SetRedrawAgain();
    return;
  }
  // A press is a drag of no distance: the value shown is re-clamped and becomes the parameter's
  // (a knob that Link moved on screen adopts what it shows).
  MouseDrag(x, y, 0, 0, keys);
}

bool IKnobMultiControlText::Draw(IGraphics* editor) {
  const IBlend blend = Blend();
  editor->BlitImageFrame(image_, imageArea_, FrameForValue(image_.Frames(), Value()), &blend);
  SetTextExtent({});
  const PlugParam* param = effect_ ? effect_->GetParam(paramIndex_) : nullptr;
  if (!param) return true;
  char text[kValueTextSize];
  param->FormatCurrent(text, sizeof text);
  if (text[0] == '\0') return true;
  const char* label = param->LabelText();
  const size_t used = std::strlen(text);
  std::snprintf(text + used, sizeof text - used, " %s", label);
  SetTextExtent(editor->DrawPlacedText(&textStyle_, text, textArea_));
  return true;
}
