// IGraphics input: hit testing, mouse capture, edit gestures around presses, double-clicks and
// wheel steps, mouse-over tracking and key routing.
#include "graphics/IGraphics.h"
#include "plugin_core/EffectBase.h"

namespace {
// The host whose right-click belongs to its own parameter menu.
constexpr int32_t kHostWithParameterMenu = 1;
}  // namespace

int IGraphics::HitTarget(int x, int y, bool mouseOver) const {
  for (int i = controls_.Count() - 1; i >= 0; --i) {
    IControl* control = controls_.Get(i);
    if (control->IsHidden()) continue;
    if (control->IsGreyed() && !(mouseOver && control->HoverWhenGreyed())) continue;
    if (control->HitTest(x, y)) return i;
  }
  return -1;
}

void IGraphics::DropCapture() {
  captureIndex_ = -1;
  mouseX_ = -1;
  mouseY_ = -1;
}

bool IGraphics::BeginGesture(int paramIndex) {
  if (paramIndex < 0 || paramIndex == gestureParam_ || !effect_) return false;
  EndGesture();
  gestureParam_ = paramIndex;
  effect_->BeginParamGesture(paramIndex);
  return true;
}

void IGraphics::EndGesture() {
  if (gestureParam_ < 0) return;
  const int paramIndex = gestureParam_;
  gestureParam_ = -1;
  if (effect_) effect_->EndParamGesture(paramIndex);
}

// A press takes the mouse from whatever held it, and with it ends that control's gesture. The
// press's own gesture begins before the control sees the press, so that a value the press sets
// reaches the host inside it, and lasts until the release; it ends at once when a menu took the
// release, or when the button is neither left nor right (it moves nothing, so nothing follows).
void IGraphics::MouseDown(int x, int y, const IMouseKeys& keys) {
  DropCapture();
  EndGesture();
  const int target = HitTarget(x, y, false);
  if (target < 0) return;
  captureIndex_ = target;
  mouseX_ = x;
  mouseY_ = y;
  IControl* control = controls_.Get(target);
  const int param = control->ParamIndex();
  if (keys.right && param >= 0 && effect_ && effect_->IdentifyHost() == kHostWithParameterMenu) {
    // That host shows its own menu for the parameter; this plug-in adds nothing to it.
    DropCapture();
    return;
  }
  BeginGesture(param);
  control->MouseDown(x, y, keys);
  if (captureIndex_ != target || !(keys.left || keys.right)) EndGesture();
}

void IGraphics::MouseUp(int x, int y, const IMouseKeys& keys) {
  const int target = captureIndex_ >= 0 ? captureIndex_ : HitTarget(x, y, false);
  DropCapture();
  if (IControl* control = controls_.Get(target)) control->MouseUp(x, y, keys);
  EndGesture();
}

// A double-click that is not a press (a knob's reset, a switch's step) sets its value inside a
// gesture of its own: the release that follows may land anywhere, or nowhere.
bool IGraphics::MouseDoubleClick(int x, int y, const IMouseKeys& keys) {
  DropCapture();
  EndGesture();
  const int target = HitTarget(x, y, false);
  IControl* control = controls_.Get(target);
  if (!control) return false;
  BeginGesture(control->ParamIndex());
  if (!control->DoubleClickAsPress()) {
    control->MouseDoubleClick(x, y, keys);
    EndGesture();
    return false;
  }
  captureIndex_ = target;
  mouseX_ = x;
  mouseY_ = y;
  control->MouseDown(x, y, keys);
  if (captureIndex_ != target) EndGesture();
  return true;
}

void IGraphics::MouseDrag(int x, int y, const IMouseKeys& keys) {
  if (!keys.left && !keys.right) return;
  IControl* control = controls_.Get(captureIndex_);
  if (!control) return;
  const int dx = x - mouseX_;
  const int dy = y - mouseY_;
  if (dx == 0 && dy == 0) return;
  mouseX_ = x;
  mouseY_ = y;
  control->MouseDrag(x, y, dx, dy, keys);
}

bool IGraphics::MouseOver(int x, int y, const IMouseKeys& keys) {
  if (!trackMouseOver_) return false;
  const int target = captureIndex_ >= 0 ? captureIndex_ : HitTarget(x, y, true);
  IControl* control = controls_.Get(target);
  if (!control) return trackMouseOver_;
  mouseX_ = x;
  mouseY_ = y;
  control->MouseOver(x, y, keys);
  if (hoverIndex_ >= 0 && hoverIndex_ != target) {
    if (IControl* previous = controls_.Get(hoverIndex_)) previous->MouseOut();
  }
  hoverIndex_ = target;
  return trackMouseOver_;
}

void IGraphics::MouseWheel(int x, int y, const IMouseKeys& keys, int steps) {
  const int target = captureIndex_ >= 0 ? captureIndex_ : HitTarget(x, y, false);
  IControl* control = controls_.Get(target);
  if (!control) return;
  // A control holding the press already has its gesture open; otherwise the step is one.
  const bool opened = BeginGesture(control->ParamIndex());
  control->MouseWheel(x, y, keys, steps);
  if (opened) EndGesture();
}

void IGraphics::MouseLeave() {
  for (int i = 0; i < controls_.Count(); ++i)
    controls_.Get(i)->MouseOut();
  hoverIndex_ = -1;
}

bool IGraphics::KeyDown(int x, int y, int key) {
  const int target = captureIndex_ >= 0 ? captureIndex_ : HitTarget(x, y, false);
  if (target > 0) return controls_.Get(target)->KeyDown(x, y, key);
  if (keyFallbackControl_) return keyFallbackControl_->KeyDown(x, y, key);
  return false;
}
