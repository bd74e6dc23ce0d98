// IBitmapControl: draws one frame of a multi-frame image chosen by its value; ISwitchControl
// steps through the frames on each press.
#pragma once

#include "graphics/IControl.h"
#include "graphics/IImage.h"

class IBitmapControl : public IControl {
 public:
  // Exactly one frame large, with its top-left at (x, y).
  IBitmapControl(EffectBase* effect, int x, int y, int paramIndex, const IImage& image,
                 const IBlend& blend = {});

  bool Draw(IGraphics* editor) override;

  const IImage& Image() const { return image_; }

 protected:
  IImage image_;
};

// Frame 1 .. frames for a value 0..1, rounded to the nearest frame.
int FrameForValue(int frames, double value);

class ISwitchControl : public IBitmapControl {
 public:
  using IBitmapControl::IBitmapControl;

  // One frame further; past the last frame back to the first.
  void MouseDown(int x, int y, const IMouseKeys& keys) override;
  void MouseDoubleClick(int x, int y, const IMouseKeys& keys) override;
};
