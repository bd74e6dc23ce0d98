// The blit kernels: one loop per blend operation over an already clipped rectangle. The exact
// kernels follow the formulas byte by byte; fast kernels, where present, must give the same
// bytes (tests compare the two on random data).
#pragma once

#include <cstddef>
#include <cstdint>

#include "support/VectorLevel.h"

// Rows are walked with signed byte steps, so bottom-up bitmaps cost nothing extra.
struct BlitRows {
  uint8_t* destination;
  ptrdiff_t destinationStep;
  const uint8_t* source;
  ptrdiff_t sourceStep;
  int columns;
  int rows;
};

using BlitKernel = void (*)(const BlitRows& rows, int ia);

// operation = mode & (BLEND_MASK | BLEND_USE_SOURCE_ALPHA); null for operations that do nothing.
BlitKernel ExactBlitKernel(int operation);
// A faster kernel with byte-identical results for this operation and weight, or null; it uses
// the widest vectors the processor has.
BlitKernel FastBlitKernel(int operation, int ia);

// The fast kernels of one instruction set (the tests check each against the exact kernels).
BlitKernel FastBlitKernelFor(int operation, int ia, VectorLevel level);
