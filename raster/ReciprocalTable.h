// Reciprocals on a scale of 65536 for the hue and saturation arithmetic: entry 0 is 0, entry n
// is 65536 / n - 1.
#pragma once

#include <array>
#include <cstdint>

extern const std::array<uint16_t, 256> kReciprocalTable;
