// Ferrix's editor layout: the 640 × 480 panel with its background, eleven meters, three
// switches, six knobs with value texts, two level read-outs and the maker's web-address area, in
// the order the meter feed and the reactions rely on.
#include "effect/Ferrix.h"
#include "effect/FerrixParam.h"
#include "effect/MakerAddress.h"
#include "graphics/IBitmapControl.h"
#include "graphics/IGraphics.h"
#include "graphics/IKnobControl.h"
#include "graphics/ITextControl.h"
#include "graphics/IURLControl.h"
#include "graphics/PlatformEditor.h"

namespace {

constexpr int kEditorWidth = 640;
constexpr int kEditorHeight = 480;

struct ImageResource {
  int id;
  const char* name;
  int frames;
};

constexpr ImageResource kSmallKnob{101, "resources/img/knob_small_65.png", 65};
constexpr ImageResource kLargeKnob{102, "resources/img/knob_large_100.png", 100};
constexpr ImageResource kLevelBar{103, "resources/img/vu_100.png", 100};
constexpr ImageResource kShiftStrip{104, "resources/img/vu_side_40.png", 40};
constexpr ImageResource kThresholdMarker{105, "resources/img/vu_clip_100.png", 100};
constexpr ImageResource kBackground{106, "resources/img/background.png", 1};
constexpr ImageResource kSwitch{108, "resources/img/button_2.png", 2};
constexpr ImageResource kReductionBar{109, "resources/img/vu_reduce_100.png", 100};
constexpr ImageResource kWaveKnob{110, "resources/img/knob_small_wave_72.png", 72};
constexpr ImageResource kPeakLine{111, "resources/img/vu_peak_100.png", 100};

// Controls 1 to 11: where each meter's image sits, and which meter it is.
struct MeterPlacement {
  int x, y;
  const ImageResource* image;
  Ferrix::Meter meter;
};

constexpr MeterPlacement kMeters[] = {
    {21, 48, &kLevelBar, Ferrix::kInputBarLeft},
    {74, 48, &kLevelBar, Ferrix::kInputBarRight},
    {530, 48, &kLevelBar, Ferrix::kOutputBarLeft},
    {583, 48, &kLevelBar, Ferrix::kOutputBarRight},
    {21, 48, &kPeakLine, Ferrix::kInputPeakLeft},
    {74, 48, &kPeakLine, Ferrix::kInputPeakRight},
    {530, 48, &kPeakLine, Ferrix::kOutputPeakLeft},
    {583, 48, &kPeakLine, Ferrix::kOutputPeakRight},
    {56, 48, &kReductionBar, Ferrix::kReductionMeter},
    {57, 48, &kThresholdMarker, Ferrix::kThresholdMeter},
    {235, 272, &kShiftStrip, Ferrix::kShiftMeter},
};

// Controls 12 to 14.
struct SwitchPlacement {
  int x, y;
  FerrixParam param;
};

constexpr SwitchPlacement kSwitches[] = {
    {320, 200, kLink},
    {248, 416, kBypass},
    {385, 416, kFast},
};

// Controls 15 to 20: the image at the top left of the area, the value text in its bottom row.
struct KnobPlacement {
  IBounds area;
  FerrixParam param;
  const ImageResource* image;
};

constexpr KnobPlacement kKnobs[] = {
    {{214, 136, 304, 246}, kThresholdInitial, &kLargeKnob},
    {{352, 136, 442, 246}, kThresholdEnd, &kLargeKnob},
    {{232, 320, 282, 390}, kClipShape, &kWaveKnob},
    {{368, 320, 418, 390}, kThresholdTime, &kSmallKnob},
    {{119, 320, 169, 390}, kInputGain, &kSmallKnob},
    {{477, 320, 527, 390}, kOutputGain, &kSmallKnob},
};

// Controls 21 and 22: the left and the right output level.
constexpr IBounds kReadouts[] = {{530, 26, 565, 48}, {583, 26, 618, 48}};

// Control 23, over the maker's name on the panel.
constexpr IBounds kWebAddressArea{534, 464, 614, 478};

ITextStyle UbuntuStyle(int size) {
  ITextStyle style;
  style.SetFace("Ubuntu");
  style.size = size;
  return style;
}

}  // namespace

void Ferrix::BuildEditor() {
  IGraphics* editor = CreatePlatformEditor(this, kEditorWidth, kEditorHeight, 24);
  if (!editor) return;
  const auto image = [editor](const ImageResource& r) {
    return editor->LoadImage(r.id, r.name, r.frames);
  };
  editor->AddBackground(kBackground.id, kBackground.name);
  for (const MeterPlacement& m : kMeters)
    meterIndices_[m.meter] =
        editor->AddControl(new IBitmapControl(this, m.x, m.y, -1, image(*m.image)));
  for (const SwitchPlacement& s : kSwitches)
    editor->AddControl(new ISwitchControl(this, s.x, s.y, s.param, image(kSwitch)));
  const ITextStyle knobStyle = UbuntuStyle(16);
  for (const KnobPlacement& k : kKnobs)
    editor->AddControl(
        new IKnobMultiControlText(this, k.area, k.param, image(*k.image), knobStyle));
  const ITextStyle readoutStyle = UbuntuStyle(14);
  for (int channel = 0; channel < 2; ++channel) {
    auto* readout = new ITextControl(this, kReadouts[channel], readoutStyle);
    if (editor->AddControl(readout) >= 0) levelReadouts_[channel] = readout;
  }
  editor->AddControl(new IURLControl(this, kWebAddressArea, kMakerWebAddress));
  AttachEditor(editor);
  graphics_ = editor;
  editor->SetWholeAreaRedraw(false);
  editor->MarkAllControlsDirty();
}

IGraphics* Ferrix::Graphics() const {
  // The plug-in base owns the editor; only the one built here is known to be an IGraphics.
  return graphics_ && Editor() == graphics_ ? graphics_ : nullptr;
}
