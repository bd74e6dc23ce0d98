// VectorLevel: the processor asked once.
#include "support/VectorLevel.h"

namespace {
VectorLevel Detect() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? VectorLevel::kAvx2 : VectorLevel::kSse2;
}
}  // namespace

VectorLevel WidestVectorLevel() {
  static const VectorLevel widest = Detect();
  return widest;
}
