// OutputChannel: one output of the plug-in. With 32-bit host buffers the result is computed in
// the scratch and narrowed into the remembered host buffer afterwards.
#pragma once

#include <vector>

#include "support/TextBuffer.h"

struct OutputChannel {
  bool connected = false;
  double** slot = nullptr;
  float* hostFloatBuffer = nullptr;
  // Block-size long; also where the output writes while unconnected.
  std::vector<double> scratch;
  TextBuffer label;
};
