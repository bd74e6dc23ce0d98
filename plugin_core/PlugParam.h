// PlugParam: one effect parameter. Holds the plain value and converts between plain values, the
// normalised 0..1 values the host and the controls speak, and display text.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "plugin_core/ParamKind.h"
#include "plugin_core/ValueText.h"

class PlugParam {
 public:
  static constexpr int kNameSize = 32;

  PlugParam() = default;

  // Defines the parameter once. The maximum is raised to minimum + step when it is below that;
  // the display precision follows from the step. The shape is left as it is (SetShape).
  void DefineDouble(const char* name, double defaultValue, double minimum, double maximum,
                    double step, const char* label);
  // 0..1 with step 1 and the value texts "off" and "on".
  void DefineBool(const char* name, bool defaultValue, const char* label);
  // Appends; an existing entry for the same value stays in front of it.
  void AddValueText(int32_t value, const char* text);

  // Clamped to the range; NaN takes the default value.
  void SetValue(double plain);
  // Maps a host or control value (clamped to 0..1, NaN as 0) onto the range; every kind but
  // Double is rounded to the step.
  void SetFromNormalized(double normalized);
  // The plain value clamped to the range, mapped to 0..1 with the shape.
  double ToNormalized(double plain) const;
  double ToNormalized() const { return ToNormalized(Value()); }
  // min + (max - min) * normalized^shape, without any rounding or clamping.
  double FromNormalized(double normalized) const;

  // Display text of a value into out (at most outSize bytes, terminator included).
  void FormatValue(double value, bool isNormalized, bool useValueTexts, char* out,
                   int outSize) const;
  void FormatCurrent(char* out, int outSize) const {
    FormatValue(Value(), false, true, out, outSize);
  }
  // The unit label, or "" while the current value is shown by a value text.
  const char* LabelText() const;
  // The first entry whose value equals the value truncated towards zero, or null. Here and in the
  // whole-number display a value within a thousandth of a step below a whole number counts as
  // that number (the float round trip of hosts).
  const ValueText* TextForValue(double value) const;
  // The first entry whose text equals text exactly, or null.
  const ValueText* ValueForText(const char* text) const;

  ParamKind Kind() const { return kind_; }
  double Value() const { return value_.load(std::memory_order_relaxed); }
  double Min() const { return minimum_; }
  double Max() const { return maximum_; }
  double Step() const { return step_; }
  double Shape() const { return shape_; }
  double Default() const { return default_; }
  int DisplayPrecision() const { return displayPrecision_; }
  const char* Name() const { return name_; }
  const char* Label() const { return label_; }
  bool NegateDisplay() const { return negateDisplay_; }
  int NValueTexts() const { return static_cast<int>(valueTexts_.size()); }
  // Null outside 0 .. NValueTexts() - 1.
  const ValueText* GetValueText(int index) const;

  // Must stay above 0.
  void SetShape(double shape) { shape_ = shape; }
  void SetNegateDisplay(bool negate) { negateDisplay_ = negate; }

 private:
  void StoreValue(double plain) { value_.store(plain, std::memory_order_relaxed); }

  ParamKind kind_ = ParamKind::None;
  // Written under the plug-in lock, read without it by the editor's drawing: atomic, so that the
  // unlocked read is a whole value and no data race.
  std::atomic<double> value_{0.0};
  double minimum_ = 0.0;
  double maximum_ = 1.0;
  double step_ = 1.0;
  double shape_ = 1.0;
  double default_ = 0.0;
  int32_t displayPrecision_ = 0;
  char name_[kNameSize] = {};
  char label_[kNameSize] = {};
  bool negateDisplay_ = false;
  std::vector<ValueText> valueTexts_;
};
