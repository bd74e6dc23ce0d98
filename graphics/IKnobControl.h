// IKnobControl: a control turned by dragging (up or right raises the value, geared down);
// IKnobMultiControlText: a knob image by value with its parameter's value text beneath, which
// opens the value prompt when clicked.
#pragma once

#include "graphics/IControl.h"
#include "graphics/IImage.h"

class IKnobControl : public IControl {
 public:
  enum Direction : int32_t { Vertical = 0, Horizontal = 1 };
  static constexpr double kDefaultGearing = 4.0;

  IKnobControl(EffectBase* effect, const IBounds& area, int paramIndex, const IBlend& blend = {});

  // A drag over gearing times the control's size sweeps the whole range; ten times finer with
  // control or shift held.
  void MouseDrag(int x, int y, int dx, int dy, const IMouseKeys& keys) override;

  void SetDirection(int32_t direction) { direction_ = direction; }
  void SetGearing(double gearing) { gearing_ = gearing; }

 protected:
  int32_t direction_ = Vertical;
  double gearing_ = kDefaultGearing;
};

class IKnobMultiControlText : public IKnobControl {
 public:
  static constexpr int kTextHeight = 20;

  IKnobMultiControlText(EffectBase* effect, const IBounds& area, int paramIndex,
                        const IImage& image, const ITextStyle& textStyle);

  // Inside the (slightly grown) text area: the value prompt; elsewhere the value is re-clamped
  // and pushed as it stands.
  void MouseDown(int x, int y, const IMouseKeys& keys) override;
  // The frame and the value text. Only draws: it never marks or pushes a value.
  bool Draw(IGraphics* editor) override;

  const IBounds& TextArea() const { return textArea_; }
  const IBounds& ImageArea() const { return imageArea_; }

 private:
  IBounds textArea_;
  IBounds imageArea_;
  IImage image_;
};
