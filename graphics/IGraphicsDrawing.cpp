// IGraphics drawing: image blits clipped to the running pass's area, and the redraw pass in its
// two modes (everything inside the update area, or each dirty control's own area).
#include <algorithm>

#include "graphics/IGraphics.h"
#include "graphics/ImageCache.h"
#include "raster/BlitBitmap.h"
#include "raster/SysBitmap.h"

bool IGraphics::BlitImage(const IImage& image, const IBounds& dest, int srcX, int srcY,
                          const IBlend* blend) {
  const IBounds& d = drawArea_;
  IBounds clip;
  if (!dest.IsEmpty() && !d.IsEmpty() && dest.right >= d.left && dest.left < d.right &&
      dest.bottom >= d.top && dest.top < d.bottom) {
    clip = {std::max(dest.left, d.left), std::max(dest.top, d.top), std::min(dest.right, d.right),
            std::min(dest.bottom, d.bottom)};
  }
  const int sx = srcX + clip.left - dest.left;
  const int sy = srcY + clip.top - dest.top;
  if (canvas_ && image.bitmap && clip.Width() > 0 && clip.Height() > 0) {
    const RasterRect source{sx, sy, sx + clip.Width(), sy + clip.Height()};
    BlitBitmap(canvas_.get(), image.bitmap, clip.left, clip.top, &source, BlitWeightOf(blend),
               BlitModeOf(blend));
  }
  return true;
}

bool IGraphics::BlitImageFrame(const IImage& image, const IBounds& dest, int frame,
                               const IBlend* blend) {
  const int n = image.Frames();
  // Frames beyond the count show the last one: never an offset outside the image.
  if (frame > n) frame = n;
  int srcX = 0, srcY = 0;
  if (n > 1 && frame > 1) {
    const double share = static_cast<double>(frame - 1) / n;
    if (image.framesSideBySide)
      srcX = static_cast<int>(image.width * share + 0.5);
    else
      srcY = static_cast<int>(image.height * share + 0.5);
  }
  return BlitImage(image, dest, srcX, srcY, blend);
}

bool IGraphics::CollectDirtyArea(IBounds* area) {
  bool any = false;
  for (int i = 0; i < controls_.Count(); ++i) {
    IControl* control = controls_.Get(i);
    if (!control->NeedsRedraw()) continue;
    *area = Union(*area, control->RedrawBounds());
    any = true;
  }
  return any;
}

bool IGraphics::RedrawArea(const IBounds& update) {
  if (controls_.Count() == 0) return true;
  if (!imagesDecoded_) {
    // The first pass draws every image; decoding them up front uses both cores for it.
    ModuleImageCache().DecodeAll();
    imagesDecoded_ = true;
  }
  if (wholeAreaRedraw_)
    RedrawWhole(update);
  else
    RedrawDirty();
  return PresentArea(update);
}

void IGraphics::RedrawWhole(const IBounds& update) {
  drawArea_ = update;
  for (int i = 0; i < controls_.Count(); ++i) {
    IControl* control = controls_.Get(i);
    if (!control->IsHidden() && update.Touches(control->Area())) control->Draw(this);
    control->MarkDrawn();
  }
}

bool IGraphics::AlreadyRedrawn(const IBounds& area) const {
  for (const IBounds& done : passAreas_) {
    if (done.left <= area.left && done.top <= area.top && area.right <= done.right &&
        area.bottom <= done.bottom)
      return true;
  }
  return false;
}

IBounds IGraphics::WithTouchedTexts(IBounds area) const {
  // Texts are drawn unclipped: one drawn again over its old pixels without the background under
  // it would thicken, and one partly repainted would be cut. A few rounds settle any layout.
  for (bool grown = true; grown;) {
    grown = false;
    for (int i = 1; i < controls_.Count(); ++i) {
      const IControl* control = controls_.Get(i);
      if (!control->DrawsText() || control->IsHidden()) continue;
      const IBounds bounds = control->RedrawBounds();
      if (!bounds.Touches(area) || Union(area, bounds) == area) continue;
      area = Union(area, bounds);
      grown = true;
    }
  }
  return area;
}

void IGraphics::RedrawDirty() {
  const int count = controls_.Count();
  IControl* background = controls_.Get(0);
  if (background->NeedsRedraw()) {
    drawArea_ = background->Area();
    for (int i = 0; i < count; ++i) {
      IControl* control = controls_.Get(i);
      // Hidden controls above the background stay dirty until they are shown again.
      if (i > 0 && control->IsHidden()) continue;
      control->Draw(this);
      control->MarkDrawn();
    }
    return;
  }
  passAreas_.clear();
  for (int i = 1; i < count; ++i) {
    IControl* dirty = controls_.Get(i);
    if (!dirty->NeedsRedraw()) continue;
    // An area this pass already redrew whole (a peak line over its bar, say) holds its final
    // pixels: every control there was drawn, in order, clipped to a larger area.
    if (AlreadyRedrawn(dirty->RedrawBounds())) {
      dirty->MarkDrawn();
      continue;
    }
    drawArea_ = WithTouchedTexts(dirty->RedrawBounds());
    passAreas_.push_back(drawArea_);
    // Everything below and above the dirty control, clipped to its area.
    for (int j = 0; j < count; ++j) {
      IControl* control = controls_.Get(j);
      if (control->IsHidden()) continue;
      if (j == i || control->RedrawBounds().Touches(drawArea_)) control->Draw(this);
    }
    dirty->MarkDrawn();
  }
}
