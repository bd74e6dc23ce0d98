// TextBuffer: bounded copies into a growable zero-terminated text.
#include "support/TextBuffer.h"

#include <cstring>
#include <functional>

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
  // A text from inside this buffer (Set(Get() + n)) is never longer than the buffer: the buffer
  // must not move (and free the text) while it is being copied.
  const char* data = static_cast<const char*>(buffer_.Data());
  const std::less<const char*> before;
  const bool ownText = data && !before(text, data) && before(text, data + buffer_.Size());
  auto* out = static_cast<char*>(buffer_.Resize(length + 1, !ownText));
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
