// ITextControl: drawing the shared text and replacing it.
#include "graphics/ITextControl.h"

#include "graphics/IGraphics.h"

ITextControl::ITextControl(EffectBase* effect, const IBounds& area, const ITextStyle& textStyle)
    : IControl(effect, area, -1, {IBlend::BlendAlpha, 1.0f}) {
  textStyle_ = textStyle;
  drawsText_ = true;
}

bool ITextControl::Draw(IGraphics* editor) {
  char text[SharedText::kCapacity];
  text_.Read(text);
  SetTextExtent(editor->DrawPlacedText(&textStyle_, text, area_));
  return true;
}

void ITextControl::SetTextFromPlugin(const char* text) {
  if (!text_.Replace(text)) return;
  // The new text is in place before the mark; drawn once more in case a draw was reading the old.
  SetRedrawAgain();
  MarkDirty(false);
}
