// PlugParam: definition, the normalised mapping and display text.
#include "plugin_core/PlugParam.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kMaxDisplayPrecision = 6;
// The longest fixed text of a double: 309 integer digits, sign, point and six decimals.
constexpr int kFixedTextSize = 330;

void CopyBounded(char* out, int outSize, const char* text) {
  if (outSize <= 0) return;
  std::snprintf(out, static_cast<size_t>(outSize), "%s", text ? text : "");
}

// "%d" needs an int: NaN becomes 0 and out-of-range values the nearest int before truncating.
int TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(value);
}

// Hosts without state chunks store values as float normalised values: 90 comes back as
// 89.99998. A value this close below a whole number (in steps) shows as that number, so that a
// truncating display never reads one too low; the value itself is left as it is.
constexpr double kRoundTripSteps = 1e-3;

// value truncated towards zero, after moving it away from zero by the round-trip tolerance.
int WholeNumberShown(double value, double step) {
  return TruncateToInt(value + std::copysign(kRoundTripSteps * step, value));
}

}  // namespace

void PlugParam::DefineDouble(const char* name, double defaultValue, double minimum, double maximum,
                             double step, const char* label) {
  if (kind_ == ParamKind::None) kind_ = ParamKind::Double;
  CopyBounded(name_, kNameSize, name);
  CopyBounded(label_, kNameSize, label);
  minimum_ = minimum;
  StoreValue(defaultValue);
  maximum_ = minimum + step > maximum ? minimum + step : maximum;
  step_ = step;
  default_ = defaultValue;

  int precision = 0;
  double x = step;
  while (precision < kMaxDisplayPrecision && std::floor(x) != x) {
    ++precision;
    x *= 10.0;
  }
  displayPrecision_ = precision;
}

void PlugParam::DefineBool(const char* name, bool defaultValue, const char* label) {
  if (kind_ == ParamKind::None) kind_ = ParamKind::Bool;
  DefineDouble(name, defaultValue ? 1.0 : 0.0, 0.0, 1.0, 1.0, label);
  AddValueText(0, "off");
  AddValueText(1, "on");
}

void PlugParam::AddValueText(int32_t value, const char* text) {
  ValueText entry;
  entry.value = value;
  CopyBounded(entry.text, ValueText::kTextSize, text);
  valueTexts_.push_back(entry);
}

void PlugParam::SetValue(double plain) {
  // A NaN restored from a chunk must never reach the processing.
  if (std::isnan(plain)) plain = default_;
  if (plain < minimum_) plain = minimum_;
  if (plain > maximum_) plain = maximum_;
  StoreValue(plain);
}

double PlugParam::FromNormalized(double normalized) const {
  return minimum_ + (maximum_ - minimum_) * std::pow(normalized, shape_);
}

void PlugParam::SetFromNormalized(double normalized) {
  // Below 0 a fractional shape would give NaN; above 1 the mapping overshoots.
  if (std::isnan(normalized) || normalized < 0.0) normalized = 0.0;
  if (normalized > 1.0) normalized = 1.0;
  double value = FromNormalized(normalized);
  if (kind_ != ParamKind::Double) value = std::floor(value / step_ + 0.5) * step_;
  if (value >= maximum_) value = maximum_;
  StoreValue(value);
}

double PlugParam::ToNormalized(double plain) const {
  if (plain < minimum_) {
    plain = minimum_;
  } else if (plain > maximum_) {
    plain = maximum_;
  }
  return std::pow((plain - minimum_) / (maximum_ - minimum_), 1.0 / shape_);
}

void PlugParam::FormatValue(double value, bool isNormalized, bool useValueTexts, char* out,
                            int outSize) const {
  if (isNormalized) value = FromNormalized(value);
  if (useValueTexts) {
    const ValueText* entry = TextForValue(value);
    if (entry && entry->text[0] != '\0') {
      CopyBounded(out, outSize, entry->text);
      return;
    }
  }
  if (negateDisplay_) value = -value;
  if (outSize <= 0) return;
  if (displayPrecision_ > 0) {
    // "%.*f" in the C locale, whatever locale the host process has set.
    char text[kFixedTextSize];
    const auto result = std::to_chars(text, text + sizeof text - 1, value, std::chars_format::fixed,
                                      displayPrecision_);
    *result.ptr = '\0';
    CopyBounded(out, outSize, text);
  } else {
    std::snprintf(out, static_cast<size_t>(outSize), "%d", WholeNumberShown(value, step_));
  }
}

const char* PlugParam::LabelText() const {
  const ValueText* entry = TextForValue(Value());
  return entry && entry->text[0] != '\0' ? "" : label_;
}

const ValueText* PlugParam::TextForValue(double value) const {
  if (valueTexts_.empty()) return nullptr;
  const int key = WholeNumberShown(value, step_);
  for (const ValueText& entry : valueTexts_) {
    if (entry.value == key) return &entry;
  }
  return nullptr;
}

const ValueText* PlugParam::ValueForText(const char* text) const {
  if (!text) return nullptr;
  for (const ValueText& entry : valueTexts_) {
    if (std::strcmp(entry.text, text) == 0) return &entry;
  }
  return nullptr;
}

const ValueText* PlugParam::GetValueText(int index) const {
  if (index < 0 || index >= NValueTexts()) return nullptr;
  return &valueTexts_[static_cast<size_t>(index)];
}
