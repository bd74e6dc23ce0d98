// IControl: the base reactions, the dirty cycle and the value flow in both directions.
#include "graphics/IControl.h"

#include "graphics/IGraphics.h"
#include "plugin_core/EffectBase.h"

namespace {
constexpr double kWheelStep = 0.01;
constexpr double kFineWheelStep = 0.001;
constexpr float kGreyedWeight = 0.25f;
constexpr int kPromptHalfWidth = 15;
constexpr int kPromptHalfHeight = 8;
}  // namespace

IControl::IControl(EffectBase* effect, const IBounds& area, int paramIndex, const IBlend& blend)
    : effect_(effect),
      area_(area),
      hitArea_(area),
      paramIndex_(paramIndex),
      blendMethod_(blend.method),
      blendWeight_(blend.weight) {}

void IControl::MouseDown(int, int, const IMouseKeys& keys) {
  if (keys.right) RequestValuePrompt();
}

void IControl::MouseUp(int, int, const IMouseKeys&) {}

void IControl::MouseDrag(int, int, int, int, const IMouseKeys&) {}

void IControl::MouseDoubleClick(int, int, const IMouseKeys&) {
  const double restored = DefaultValue();
  if (restored < 0.0) return;
  SetValue(restored);
  MarkDirty(true);
}

void IControl::MouseWheel(int, int, const IMouseKeys& keys, int steps) {
  const double step = keys.control || keys.shift ? kFineWheelStep : kWheelStep;
  SetValue(Value() + steps * step);
  MarkDirty(true);
}

bool IControl::KeyDown(int, int, int) {
  return false;
}

void IControl::MouseOver(int, int, const IMouseKeys&) {}

void IControl::MouseOut() {}

void IControl::SetValueFromPlugin(double value) {
  value = FiniteValue(value);
  // The first value a control receives (normally at AttachEditor) is what a double-click restores.
  if (DefaultValue() < 0.0) {
    SetValue(value);
    defaultValue_.store(value, std::memory_order_relaxed);
    return;
  }
  if (value == Value()) return;
  SetValue(value);
  // Marked to be drawn again before it is marked dirty: a draw finishing in between on the
  // editor thread may have read the old value.
  SetRedrawAgain();
  MarkDirty(false);
}

void IControl::AcceptEnteredText(const char*) {}

void IControl::SetHidden(bool hidden) {
  hidden_.store(hidden, std::memory_order_relaxed);
  SetRedrawAgain();
  MarkDirty(false);
}

void IControl::SetGreyed(bool greyed) {
  greyed_.store(greyed, std::memory_order_relaxed);
  blendWeight_.store(greyed ? kGreyedWeight : 1.0f, std::memory_order_relaxed);
  MarkDirty(false);
}

bool IControl::HitTest(int x, int y) {
  return hitArea_.Contains(x, y);
}

void IControl::MarkDirty(bool push) {
  double value = Value();
  double clamped = Clamped(value);
  while (clamped != value &&
         !value_.compare_exchange_weak(value, clamped, std::memory_order_relaxed)) {
    clamped = Clamped(value);
  }
  SetDrawMarks(kDirty);
  if (push && effect_ && paramIndex_ >= 0) effect_->SetParamFromEditor(paramIndex_, clamped);
}

void IControl::MarkDrawn() {
  uint8_t state = drawState_.load(std::memory_order_relaxed);
  while (!drawState_.compare_exchange_weak(state, (state & kRedrawAgain) ? kDirty : 0,
                                           std::memory_order_relaxed)) {
  }
}

bool IControl::NeedsRedraw() {
  return drawState_.load(std::memory_order_relaxed) & kDirty;
}

void IControl::SetValueFromUser(double value) {
  value = FiniteValue(value);
  if (value == Value()) return;
  SetValue(value);
  SetRedrawAgain();
  // An entry commits long after the press that opened it: its value needs a gesture of its own.
  const bool opened = editor_ && editor_->BeginGesture(paramIndex_);
  MarkDirty(true);
  if (opened) editor_->EndGesture();
}

void IControl::RequestValuePrompt() {
  if (paramIndex_ < 0 || promptDisabled_ || !editor_ || !effect_) return;
  PlugParam* param = effect_->GetParam(paramIndex_);
  if (!param) return;
  IBounds box = area_;
  if (param->NValueTexts() == 0) {
    // Centre computed in single precision, as the prompt box has always been placed.
    const int cx = static_cast<int>(static_cast<float>(area_.left + area_.right) * 0.5f);
    const int cy = static_cast<int>(static_cast<float>(area_.top + area_.bottom) * 0.5f);
    box = {cx - kPromptHalfWidth, cy - kPromptHalfHeight, cx + kPromptHalfWidth,
           cy + kPromptHalfHeight};
  }
  editor_->PromptForValue(this, param, &box);
  SetRedrawAgain();
}
