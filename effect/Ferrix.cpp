// Ferrix construction (identity, parameters, editor, presets) and block processing.
#include "effect/Ferrix.h"

#include "effect/FerrixParam.h"

namespace {

constexpr int32_t kVersion = 0x00010003;           // 1.0.3
constexpr int32_t kManufacturerCode = 0x56647178;  // "Vdqx"

}  // namespace

Ferrix::Ferrix(audioMasterCallback host, bool withEditor)
    : VstEffect(host, kNumFerrixParams, "1-1 2-2", "Tessomar", "Morvane", "", kVersion,
                kFerrixUniqueId, kManufacturerCode, 0, false, false) {
  DefineParams();
  if (withEditor) BuildEditor();
  AddFactoryPresets();
}

void Ferrix::ProcessBlockDouble(double** inputs, double** outputs, int frames) {
  processing_.ProcessBlock(inputs, outputs, frames, SampleRate(), frameKind_);
  HandOffToEditor();
}

bool Ferrix::ProcessBlockFloatDirect(float** inputs, float** outputs, int frames, bool accumulate) {
  processing_.ProcessBlock(inputs, outputs, frames, SampleRate(), accumulate, frameKind_);
  HandOffToEditor();
  return true;
}
