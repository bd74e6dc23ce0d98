// Ferrix talking to its editor: the block-end hand-off of meter values and level texts (audio
// thread: no allocation, no formatting library, no lock beyond the plug-in lock held by the
// caller), and the editor side of the parameter reactions.
#include <cmath>

#include "effect/Decibels.h"
#include "effect/Ferrix.h"
#include "effect/FerrixParam.h"
#include "effect/LevelText.h"
#include "graphics/IGraphics.h"
#include "graphics/ITextControl.h"

namespace {

// Meter values are fractions 0..1; anything else (a non-finite follower after an absurd sample
// rate, say) shows as the empty frame rather than reaching the frame choice.
double MeterValue(double value) {
  if (!(value >= 0.0) || std::isinf(value)) return 0.0;
  return value > 1.0 ? 1.0 : value;
}

}  // namespace

void Ferrix::HandOffToEditor() {
  IGraphics* editor = Graphics();
  if (!editor) return;
  ClipShifter& p = processing_;
  // The read-outs show overs ("8.3 dB"); the meters below them stop at full scale.
  p.outputLevelLeft = p.uncappedOutputLeft.value;
  p.outputLevelRight = p.uncappedOutputRight.value;
  const double levels[2] = {p.outputLevelLeft, p.outputLevelRight};
  char text[kLevelTextSize];
  for (int channel = 0; channel < 2; ++channel) {
    if (!levelReadouts_[channel]) continue;
    // Formatting is most of the hand-off's cost: a level that shows the same tenth of a decibel
    // as the text already there needs none.
    const double tenth = ShownTenth(LevelDecibels(levels[channel]));
    if (tenth == shownTenths_[channel]) continue;
    FormatLevelText(levels[channel], text);
    levelReadouts_[channel]->SetTextFromPlugin(text);
    shownTenths_[channel] = tenth;
  }
  FeedMeters(*editor);
}

void Ferrix::FeedMeters(IGraphics& editor) {
  const ClipShifter& p = processing_;
  double values[kNumMeters];
  values[kInputBarLeft] = p.fastInputLeft.value;
  values[kInputBarRight] = p.fastInputRight.value;
  values[kOutputBarLeft] = p.fastOutputLeft.value;
  values[kOutputBarRight] = p.fastOutputRight.value;
  values[kThresholdMeter] = p.activeThreshold;
  values[kShiftMeter] = p.shiftAmount;
  values[kReductionMeter] = p.reduction.value;
  values[kInputPeakLeft] = p.slowInputLeft.value;
  values[kInputPeakRight] = p.slowInputRight.value;
  values[kOutputPeakLeft] = p.slowOutputLeft.value;
  values[kOutputPeakRight] = p.slowOutputRight.value;
  const int count = editor.NControls();
  for (int m = 0; m < kNumMeters; ++m) {
    const int index = meterIndices_[m];
    if (index < 0 || index >= count) continue;
    editor.GetControl(index)->SetValueFromPlugin(MeterValue(values[m]));
  }
}

void Ferrix::ReactInEditor(int index) {
  IGraphics* editor = Graphics();
  if (!editor) return;
  const ClipShifter& p = processing_;
  switch (index) {
    case kThresholdInitial:
    case kLink:
      // The End knob shows the threshold that Link makes the clipper use; its parameter stays.
      if (!p.link) return;
      editor->SetParamFromPlugin(kThresholdEnd, LinearToDecibels(p.initialThreshold), false);
      break;
    case kThresholdEnd:
      if (!p.link) return;
      editor->SetParamFromPlugin(kThresholdInitial, LinearToDecibels(p.endThreshold), false);
      break;
    case kFast:
    case kBypass:
      break;
    default:
      return;
  }
  editor->MarkAllControlsDirty();
}
