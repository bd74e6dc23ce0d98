// EntryText: what the in-place text entry lets through and how its text becomes a number.
#pragma once

#include "plugin_core/ParamKind.h"

// Whether a typed character reaches an entry editing a parameter of this kind: digits, "+" and
// "-" for Bool, Int and Enum, also "." for Double, everything for None. Backspace always passes.
bool EntryCharacterPasses(ParamKind kind, unsigned char character);
// The decimal number the text starts with (sign, digits, fraction; no exponent, no hexadecimal
// and no "inf" or "nan"), 0 when it starts with none.
double LeadingDecimal(const char* text);
