// IGraphics: construction and destruction, the control list, the value flow from the plug-in,
// the canvas, and images from the module-wide cache.
#include "graphics/IGraphics.h"

#include "graphics/IBitmapControl.h"
#include "graphics/ImageCache.h"
#include "plugin_core/EffectBase.h"
#include "raster/MemBitmap.h"
#include "raster/SysBitmap.h"
#include "support/TracePoint.h"

IGraphics::IGraphics(EffectBase* effect, int width, int height, int frameRate)
    : effect_(effect), width_(width), height_(height), frameRate_(frameRate) {}

IGraphics::~IGraphics() {
  keyFallbackControl_.reset();
  controls_.Clear();
  canvas_.reset();
  scratch_.reset();
}

int IGraphics::AddControl(IControl* control) {
  if (!control) return -1;
  if (!controls_.Add(control)) {
    delete control;
    return -1;
  }
  control->SetEditor(this);
  return controls_.Count() - 1;
}

IControl* IGraphics::AddBackground(int id, const char* name) {
  const IImage image = LoadImage(id, name, 1);
  auto* background = new IBitmapControl(effect_, 0, 0, -1, image, {IBlend::BlendOpaque, 1.0f});
  if (!controls_.Insert(0, background)) {
    delete background;
    return nullptr;
  }
  background->SetEditor(this);
  return background;
}

void IGraphics::MarkAllControlsDirty() {
  for (int i = 0; i < controls_.Count(); ++i)
    controls_.Get(i)->MarkDirty(false);
}

void IGraphics::SetKeyFallbackControl(IControl* control) {
  keyFallbackControl_.reset(control);
  if (control) control->SetEditor(this);
}

void IGraphics::SetControlsFromPlugin(int paramIndex, double normalized) {
  for (int i = 0; i < controls_.Count(); ++i) {
    IControl* control = controls_.Get(i);
    if (control->ParamIndex() == paramIndex) control->SetValueFromPlugin(normalized);
  }
}

void IGraphics::SetParamFromPlugin(int paramIndex, double value, bool normalized) {
  if (!normalized) {
    const PlugParam* param = effect_ ? effect_->GetParam(paramIndex) : nullptr;
    if (!param) return;
    value = param->ToNormalized(value);
  }
  SetControlsFromPlugin(paramIndex, value);
}

void IGraphics::PrepareDrawing() {
  canvas_ = std::make_unique<SysBitmap>(width_, height_);
  scratch_ = std::make_unique<MemBitmap>();
}

void IGraphics::SetEditorSize(int width, int height) {
  width_ = width;
  height_ = height;
  DropCapture();
  EndGesture();
  hoverIndex_ = -1;
  controls_.Clear();
  canvas_.reset();
  scratch_.reset();
  PrepareDrawing();
  if (effect_) effect_->ResizeEditor(width, height);
}

IImage IGraphics::LoadImage(int id, const char* name, int frames) {
  ImageCache& cache = ModuleImageCache();
  RasterBitmap* bitmap = nullptr;
  if (!cache.Lookup(id, &bitmap)) bitmap = cache.Insert(LoadImageResource(id, name), id);
  IImage image;
  image.frameCount = frames;
  if (!bitmap) {
    // A missing image must not take the editor down: it is empty and draws nothing.
    TracePoint("IGraphics::LoadImage", __LINE__, "no image for id %d (%s)", id, name);
    return image;
  }
  image.bitmap = bitmap;
  image.width = bitmap->Width();
  image.height = bitmap->Height();
  return image;
}
