// CreatePlatformEditor where no editor window exists yet: the headless editor.
#include <new>

#include "graphics/IGraphicsHeadless.h"
#include "graphics/PlatformEditor.h"

IGraphics* CreatePlatformEditor(EffectBase* effect, int width, int height, int frameRate) {
  return new (std::nothrow) IGraphicsHeadless(effect, width, height, frameRate);
}
