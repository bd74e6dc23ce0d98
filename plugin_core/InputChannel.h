// InputChannel: one input of the plug-in. Its slot in the input-pointer array receives the
// block's 64-bit samples: the host's buffer, or the scratch a 32-bit buffer was widened into.
#pragma once

#include <vector>

#include "support/TextBuffer.h"

struct InputChannel {
  bool connected = false;
  double** slot = nullptr;
  // Block-size long; while unconnected the input reads it, cleared for every block.
  std::vector<double> scratch;
  TextBuffer label;
};
