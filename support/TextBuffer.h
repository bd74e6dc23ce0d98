// TextBuffer: a zero-terminated text in a GrowBuffer; reads as "" while empty.
#pragma once

#include "support/GrowBuffer.h"

class TextBuffer {
 public:
  TextBuffer() = default;
  explicit TextBuffer(const char* text) { Set(text); }

  // Copies at most maxLength characters (all when negative), stopping at a zero character.
  // A null text empties the buffer.
  void Set(const char* text, int maxLength = -1);
  const char* Get() const;
  int Length() const;

 private:
  GrowBuffer buffer_{128};
};
