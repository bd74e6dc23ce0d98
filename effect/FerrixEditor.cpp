// Ferrix's editor built from its layout (effect/FerrixLayout.h): the background, eleven meters,
// three switches, six knobs with value texts, two level read-outs and the maker's web address.
#include "effect/Ferrix.h"
#include "effect/FerrixLayout.h"
#include "effect/MakerAddress.h"
#include "graphics/IBitmapControl.h"
#include "graphics/IGraphics.h"
#include "graphics/IKnobControl.h"
#include "graphics/ITextControl.h"
#include "graphics/IURLControl.h"
#include "graphics/PlatformEditor.h"

namespace {

using namespace ferrix_layout;

// Every meter the block end feeds sits in the layout exactly once.
constexpr bool EachMeterOnce() {
  int seen = 0;
  for (const PanelControl& c : kControls) {
    if (c.kind != ControlKind::Bitmap) continue;
    if (c.meter < 0 || c.meter >= Ferrix::kNumMeters || (seen >> c.meter & 1)) return false;
    seen |= 1 << c.meter;
  }
  return seen == (1 << Ferrix::kNumMeters) - 1;
}
static_assert(EachMeterOnce());

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
  const auto image = [editor](int id) {
    const ImageSpec& spec = Image(id);
    return editor->LoadImage(spec.id, spec.fileName, spec.frames);
  };
  editor->AddBackground(kBackgroundImage, Image(kBackgroundImage).fileName);
  const ITextStyle knobStyle = UbuntuStyle(kKnobTextSize);
  const ITextStyle readoutStyle = UbuntuStyle(kReadOutTextSize);
  int readouts = 0;
  for (const PanelControl& c : kControls) {
    const IBounds area{c.area.left, c.area.top, c.area.right, c.area.bottom};
    switch (c.kind) {
      case ControlKind::Bitmap:
        meterIndices_[c.meter] =
            editor->AddControl(new IBitmapControl(this, area.left, area.top, -1, image(c.imageId)));
        break;
      case ControlKind::Switch:
        editor->AddControl(
            new ISwitchControl(this, area.left, area.top, c.param, image(c.imageId)));
        break;
      case ControlKind::Knob:
        editor->AddControl(
            new IKnobMultiControlText(this, area, c.param, image(c.imageId), knobStyle));
        break;
      case ControlKind::ReadOut: {
        auto* readout = new ITextControl(this, area, readoutStyle);
        if (editor->AddControl(readout) >= 0) levelReadouts_[readouts] = readout;
        ++readouts;
        break;
      }
      case ControlKind::WebAddress:
        editor->AddControl(new IURLControl(this, area, kMakerWebAddress));
        break;
    }
  }
  FeedMeters(*editor);
  AttachEditor(editor);
  graphics_ = editor;
  editor->SetWholeAreaRedraw(false);
  editor->MarkAllControlsDirty();
}

IGraphics* Ferrix::Graphics() const {
  // The plug-in base owns the editor; only the one built here is known to be an IGraphics.
  return graphics_ && Editor() == graphics_ ? graphics_ : nullptr;
}
