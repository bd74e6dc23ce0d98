// IGraphics text drawing. Fonts are not available yet: a text with characters cannot be drawn
// and answers false, as a font that cannot be created does.
#include "graphics/IGraphics.h"

bool IGraphics::DrawStyledText(ITextStyle*, const char* text, IBounds*, bool) {
  return !text || text[0] == '\0';
}

bool IGraphics::MeasureStyledText(ITextStyle* style, const char* text, IBounds* area) {
  return DrawStyledText(style, text, area, true);
}
