// TextBuffer: bounded copies into a growable zero-terminated text.
#include "support/TextBuffer.h"

#include <cstring>

void TextBuffer::Set(const char* text, int maxLength) {
  int length = 0;
  if (text) {
    while ((maxLength < 0 || length < maxLength) && text[length])
      ++length;
  }
  if (length == 0) {
    buffer_.Resize(0);
    return;
  }
  auto* out = static_cast<char*>(buffer_.Resize(length + 1));
  if (buffer_.Size() != length + 1) return;
  std::memmove(out, text, static_cast<size_t>(length));
  out[length] = '\0';
}

const char* TextBuffer::Get() const {
  auto* text = static_cast<const char*>(buffer_.Data());
  return text ? text : "";
}

int TextBuffer::Length() const {
  return buffer_.Size() > 0 ? buffer_.Size() - 1 : 0;
}
