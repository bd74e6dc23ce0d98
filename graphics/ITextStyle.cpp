// ITextStyle: setting the face name.
#include "graphics/ITextStyle.h"

#include <cstring>

void ITextStyle::SetFace(const char* name) {
  std::memset(face, 0, sizeof face);
  if (name) std::strncpy(face, name, sizeof face - 1);
}
