// ParamKind: what sort of value a parameter holds. Decides step rounding of host values and how
// preset value lists pass the value (int for Bool, Int and Enum; double otherwise).
#pragma once

#include <cstdint>

enum class ParamKind : int32_t { None = 0, Bool = 1, Int = 2, Enum = 3, Double = 4 };
