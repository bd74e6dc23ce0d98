// CreatePlatformEditor on Windows: the Win32 child window, on the module's own handle (saved at
// DllMain) for its class, windows and image resources.
#include <new>

#include "graphics/PlatformEditor.h"
#include "graphics_win/IGraphicsWin.h"
#include "platform/ModuleInstance.h"

IGraphics* CreatePlatformEditor(EffectBase* effect, int width, int height, int frameRate) {
  auto* editor = new (std::nothrow) IGraphicsWin(effect, width, height, frameRate);
  if (editor) editor->SetModuleHandle(static_cast<HINSTANCE>(ModuleInstance()));
  return editor;
}
