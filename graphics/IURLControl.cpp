// IURLControl: opening its address through the editor's window.
#include "graphics/IURLControl.h"

#include <cstring>

#include "graphics/IGraphics.h"

IURLControl::IURLControl(EffectBase* effect, const IBounds& area, const char* address)
    : IControl(effect, area, -1, {IBlend::BlendAlpha, 1.0f}) {
  if (address) std::strncpy(webAddress_, address, kAddressSize - 1);
}

void IURLControl::MouseDown(int, int, const IMouseKeys&) {
  IGraphics* editor = Editor();
  if (!editor) return;
  if (webAddress_[0] != '\0' &&
      editor->OpenWebAddress(webAddress_, failureMessage_, nullptr, nullptr))
    return;
  if (backupAddress_[0] != '\0')
    editor->OpenWebAddress(backupAddress_, failureMessage_, nullptr, nullptr);
}
