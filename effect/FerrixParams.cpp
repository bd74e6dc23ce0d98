// Ferrix's nine parameters: names, ranges, steps, defaults, shapes and labels.
#include "effect/Ferrix.h"
#include "effect/FerrixParam.h"

void Ferrix::DefineParams() {
  struct DoubleParam {
    FerrixParam index;
    const char* name;
    double defaultValue, minimum, maximum, step, shape;
    const char* label;
  };
  // Shapes below 1 give the thresholds and the clip shape finer control near their top.
  static constexpr DoubleParam kDoubles[] = {
      {kInputGain, "Input Gain", 0.0, -kFerrixGainRangeDb, kFerrixGainRangeDb, 0.1, 1.0, "dB"},
      {kOutputGain, "Output Gain", 0.0, -kFerrixGainRangeDb, kFerrixGainRangeDb, 0.1, 1.0, "dB"},
      {kThresholdInitial, "Threshold-Initial", 0.0, -44.0, 0.0, 0.1, 0.5, "dB"},
      {kThresholdEnd, "Threshold-End", 0.0, -44.0, 0.0, 0.1, 0.5, "dB"},
      {kClipShape, "Clip Shape", 1.0, 0.1, 1.0, 0.01, 0.5, ""},
      {kThresholdTime, "Threshold Time", 75.0, 1.0, 1000.0, 1.0, 2.0, "ms"},
  };
  for (const DoubleParam& p : kDoubles) {
    PlugParam* param = GetParam(p.index);
    param->DefineDouble(p.name, p.defaultValue, p.minimum, p.maximum, p.step, p.label);
    param->SetShape(p.shape);
  }
  GetParam(kLink)->DefineBool("Link", false, "");
  GetParam(kFast)->DefineBool("Fast", false, "");
  GetParam(kBypass)->DefineBool("Bypass", false, "");
}
