// WidenedFerrix: Ferrix with its direct 32-bit path declined, so 32-bit host buffers take the
// base's way (widened into scratch, processed, narrowed back): the baseline the direct path is
// checked against bit for bit and measured against.
#pragma once

#include "effect/Ferrix.h"

class WidenedFerrix : public Ferrix {
 public:
  using Ferrix::Ferrix;
  bool ProcessBlockFloatDirect(float** /*inputs*/, float** /*outputs*/, int /*frames*/,
                               bool /*accumulate*/) override {
    return false;
  }
};
