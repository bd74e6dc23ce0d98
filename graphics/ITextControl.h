// ITextControl: a text in a style that the plug-in replaces (for example from the audio thread at
// the end of each block) while the editor thread draws it.
#pragma once

#include "graphics/IControl.h"
#include "graphics/SharedText.h"

class ITextControl : public IControl {
 public:
  ITextControl(EffectBase* effect, const IBounds& area, const ITextStyle& textStyle);

  bool Draw(IGraphics* editor) override;

  // Any thread, one at a time. Marks the control dirty only when the text changed; never
  // allocates or waits. Texts longer than SharedText::kCapacity - 1 bytes are cut.
  void SetTextFromPlugin(const char* text);
  // The current text into out (SharedText::kCapacity bytes).
  void Text(char* out) const { text_.Read(out); }

 private:
  SharedText text_;
};
