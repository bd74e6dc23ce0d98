// PresetSlot: one program of the preset bank: its name and its stored parameter values (one
// double per parameter, no header).
#pragma once

#include "support/StateChunk.h"

struct PresetSlot {
  static constexpr int kNameSize = 256;
  bool initialised = false;
  char name[kNameSize] = "empty";
  StateChunk values;

  // Copies at most kNameSize - 1 characters; null leaves the name unchanged.
  void SetName(const char* text);
};
