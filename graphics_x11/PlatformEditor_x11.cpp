// CreatePlatformEditor on Linux: the X11 child window (no X connection until a host opens it).
#include <new>

#include "graphics/PlatformEditor.h"
#include "graphics_x11/IGraphicsX11.h"

IGraphics* CreatePlatformEditor(EffectBase* effect, int width, int height, int frameRate) {
  return new (std::nothrow) IGraphicsX11(effect, width, height, frameRate);
}
