// The reciprocal table, computed at compile time.
#include "raster/ReciprocalTable.h"

namespace {
constexpr std::array<uint16_t, 256> MakeReciprocals() {
  std::array<uint16_t, 256> table{};
  for (int n = 1; n < 256; ++n)
    table[n] = static_cast<uint16_t>(65536 / n - 1);
  return table;
}
}  // namespace

const std::array<uint16_t, 256> kReciprocalTable = MakeReciprocals();
