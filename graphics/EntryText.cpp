// EntryText: the entry's character filter, its number reading and its commit.
#include "graphics/EntryText.h"

#include <charconv>

#include "graphics/IControl.h"
#include "plugin_core/PlugParam.h"

bool EntryCharacterPasses(ParamKind kind, unsigned char character) {
  if (character == 8) return true;  // backspace
  const bool numeric =
      (character >= '0' && character <= '9') || character == '+' || character == '-';
  switch (kind) {
    case ParamKind::Bool:
    case ParamKind::Int:
    case ParamKind::Enum:
      return numeric;
    case ParamKind::Double:
      return numeric || character == '.';
    default:
      return true;
  }
}

double LeadingDecimal(const char* text) {
  if (!text) return 0.0;
  const char* end = text;
  while (*end == ' ' || *end == '\t')
    ++end;
  const bool negative = *end == '-';
  if (*end == '+' || *end == '-') ++end;
  const char* digitsStart = end;
  int digits = 0;
  for (; *end >= '0' && *end <= '9'; ++end)
    ++digits;
  if (*end == '.')
    for (++end; *end >= '0' && *end <= '9'; ++end)
      ++digits;
  if (digits == 0) return 0.0;
  // from_chars reads the same in every locale (a host may have set a decimal comma).
  double value = 0.0;
  std::from_chars(digitsStart, end, value, std::chars_format::fixed);
  return negative ? -value : value;
}

void CommitEnteredText(IControl* control, PlugParam* param, const char* text) {
  if (!control) return;
  if (!param) {
    control->AcceptEnteredText(text);
    return;
  }
  double value = 0.0;
  const ParamKind kind = param->Kind();
  if (kind == ParamKind::Bool || kind == ParamKind::Enum) {
    if (const ValueText* match = param->ValueForText(text)) value = match->value;
  } else {
    value = LeadingDecimal(text);
    if (param->NegateDisplay()) value = -value;
  }
  control->SetValueFromUser(param->ToNormalized(value));
}
