// EntryText: the rules of the in-place text entry that every editor window shares: what it lets
// through, how its text becomes a number, and how a committed text reaches the control.
#pragma once

#include "plugin_core/ParamKind.h"

class IControl;
class PlugParam;

// Whether a typed character reaches an entry editing a parameter of this kind: digits, "+" and
// "-" for Bool, Int and Enum, also "." for Double, everything for None. Backspace always passes.
bool EntryCharacterPasses(ParamKind kind, unsigned char character);
// The decimal number the text starts with (sign, digits, fraction; no exponent, no hexadecimal
// and no "inf" or "nan"), 0 when it starts with none.
double LeadingDecimal(const char* text);
// A committed entry: with a parameter, the value of the equal value text (Bool, Enum; 0 when none
// is equal) or the leading decimal (negated for a negated display), normalised and set as the
// user's value; without one, the text goes to the control's AcceptEnteredText.
void CommitEnteredText(IControl* control, PlugParam* param, const char* text);
