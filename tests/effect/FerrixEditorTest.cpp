// Ferrix's editor as built at construction: the controls, their areas, parameters, images and
// styles in table order, what the host is told, and the value texts under the knobs.
#include <algorithm>
#include <cstring>

#include "effect/FerrixParam.h"
#include "effect/MakerAddress.h"
#include "graphics/IBitmapControl.h"
#include "graphics/IKnobControl.h"
#include "graphics/IURLControl.h"
#include "tests/effect/FerrixEditorSupport.h"

namespace {

enum Kind { kBitmap, kSwitch, kKnob, kText, kUrl };

struct ControlRow {
  Kind kind;
  IBounds area;
  int param;
  int frames;  // of the control's image; 0 for controls without one
};

// The panel's 24 controls, index by index.
constexpr ControlRow kLayout[] = {
    {kBitmap, {0, 0, 640, 480}, -1, 1},      {kBitmap, {21, 48, 56, 428}, -1, 100},
    {kBitmap, {74, 48, 109, 428}, -1, 100},  {kBitmap, {530, 48, 565, 428}, -1, 100},
    {kBitmap, {583, 48, 618, 428}, -1, 100}, {kBitmap, {21, 48, 56, 428}, -1, 100},
    {kBitmap, {74, 48, 109, 428}, -1, 100},  {kBitmap, {530, 48, 565, 428}, -1, 100},
    {kBitmap, {583, 48, 618, 428}, -1, 100}, {kBitmap, {56, 48, 74, 428}, -1, 100},
    {kBitmap, {57, 48, 72, 428}, -1, 100},   {kBitmap, {235, 272, 415, 307}, -1, 40},
    {kSwitch, {320, 200, 335, 215}, 6, 2},   {kSwitch, {248, 416, 263, 431}, 8, 2},
    {kSwitch, {385, 416, 400, 431}, 7, 2},   {kKnob, {214, 136, 304, 246}, 2, 100},
    {kKnob, {352, 136, 442, 246}, 3, 100},   {kKnob, {232, 320, 282, 390}, 4, 72},
    {kKnob, {368, 320, 418, 390}, 5, 65},    {kKnob, {119, 320, 169, 390}, 0, 65},
    {kKnob, {477, 320, 527, 390}, 1, 65},    {kText, {530, 26, 565, 48}, -1, 0},
    {kText, {583, 26, 618, 48}, -1, 0},      {kUrl, {534, 464, 614, 478}, -1, 0},
};

TEST_F(FerrixEditorTest, TwentyFourControlsAsLaidOut) {
  Ferrix effect(nullptr);
  IGraphics* editor = effect.Graphics();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->Width(), 640);
  EXPECT_EQ(editor->Height(), 480);
  EXPECT_EQ(editor->FrameRate(), 24);
  EXPECT_FALSE(editor->WholeAreaRedraw());
  // Hosts are offered the editor exactly where a window can open.
  EXPECT_EQ((effect.Record()->flags & effFlagsHasEditor) != 0, editor->CanOpenWindow());
  ASSERT_EQ(editor->NControls(), 24);
  for (int i = 0; i < 24; ++i) {
    SCOPED_TRACE(i);
    IControl* c = editor->GetControl(i);
    const ControlRow& row = kLayout[i];
    EXPECT_EQ(c->Area(), row.area);
    EXPECT_EQ(c->ParamIndex(), row.param);
    EXPECT_TRUE(c->NeedsRedraw());
    EXPECT_EQ(c->Blend().method, i == 0 ? IBlend::BlendOpaque : IBlend::BlendAlpha);
    EXPECT_EQ(c->Blend().weight, 1.0f);
    const auto* bitmap = dynamic_cast<IBitmapControl*>(c);
    EXPECT_EQ(bitmap != nullptr, row.kind == kBitmap || row.kind == kSwitch);
    EXPECT_EQ(dynamic_cast<ISwitchControl*>(c) != nullptr, row.kind == kSwitch);
    if (bitmap) {
      EXPECT_EQ(bitmap->Image().Frames(), row.frames);
    }
    if (row.kind == kKnob || row.kind == kText) {
      EXPECT_STREQ(c->TextStyle().face, "Ubuntu");
      EXPECT_EQ(c->TextStyle().size, row.kind == kKnob ? 16 : 14);
      EXPECT_EQ(c->TextStyle().alignment, ITextStyle::Centre);
      const IArgb& ink = c->TextStyle().colour;
      EXPECT_EQ(ink.alpha + ink.red + ink.green + ink.blue, 255);
      EXPECT_EQ(ink.alpha, 255);
    }
    EXPECT_EQ(dynamic_cast<IKnobMultiControlText*>(c) != nullptr, row.kind == kKnob);
    EXPECT_EQ(dynamic_cast<ITextControl*>(c) != nullptr, row.kind == kText);
    // Parameter controls start at their parameter's normalised value.
    if (row.param >= 0) {
      EXPECT_EQ(c->Value(), effect.GetParam(row.param)->ToNormalized());
    }
  }
  auto* url = dynamic_cast<IURLControl*>(editor->GetControl(23));
  ASSERT_NE(url, nullptr);
  EXPECT_STREQ(url->WebAddress(), kMakerWebAddress);
  const int stored[] = {1, 2, 3, 4, 10, 11, 9, 5, 6, 7, 8};
  for (int m = 0; m < Ferrix::kNumMeters; ++m)
    EXPECT_EQ(effect.MeterIndex(static_cast<Ferrix::Meter>(m)), stored[m]) << m;
  EXPECT_EQ(effect.LevelReadout(0), editor->GetControl(21));
  EXPECT_EQ(effect.LevelReadout(1), editor->GetControl(22));
  EXPECT_EQ(Text(effect.LevelReadout(0)), "");
}

TEST_F(FerrixEditorTest, WithoutEditorNothingIsBuilt) {
  Ferrix effect(nullptr, false);
  EXPECT_EQ(effect.Graphics(), nullptr);
  EXPECT_EQ(effect.Editor(), nullptr);
  EXPECT_EQ(effect.LevelReadout(0), nullptr);
}

// Where text was drawn in an area: the columns and rows whose pixels differ from the panel.
struct Ink {
  int left = 1 << 30, right = -1, rows = 0;
};

Ink InkIn(IGraphics* editor, const IBounds& area) {
  RasterBitmap* panel = editor->LoadImage(106, "resources/img/background.png", 1).bitmap;
  Ink ink;
  for (int y = area.top; y < area.bottom; ++y) {
    bool any = false;
    for (int x = area.left; x < area.right; ++x) {
      if (FerrixEditorTest::At(editor, x, y) == panel->Bits()[y * panel->RowSpan() + x]) continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x + 1);
      any = true;
    }
    ink.rows += any;
  }
  return ink;
}

// A default knob shows its display text, a space and its label in its text row: the ink there
// is as wide as that very text measures, centred under the knob; the image above has none of it.
TEST_F(FerrixEditorTest, KnobTextsAtTheirDefaultsInTheTextRow) {
  Ferrix effect(nullptr);
  Open(effect);
  IGraphics* editor = effect.Graphics();
  Tick(editor);
  struct Case {
    int control;
    const char* text;
  };
  for (const Case& c : {Case{19, "0.0 dB"}, Case{18, "75 ms"}, Case{20, "0.0 dB"}}) {
    SCOPED_TRACE(c.text);
    const IBounds area = editor->GetControl(c.control)->Area();
    IBounds measured{area.left, area.bottom - 20, area.right, area.bottom};
    ASSERT_TRUE(
        editor->MeasureStyledText(&editor->GetControl(c.control)->TextStyle(), c.text, &measured));
    const Ink ink = InkIn(editor, {area.left - 2, area.bottom - 20, area.right + 2, area.bottom});
    EXPECT_GE(ink.rows, 7);
    EXPECT_NEAR(ink.left, measured.left, 2);
    EXPECT_NEAR(ink.right, measured.right, 2);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, (area.left + area.right) / 2.0, 2.0);
  }
  // "0.0 dB" is wider than "75 ms": the row holds the right text, not just some text.
  const IBounds gain = editor->GetControl(19)->Area(), time = editor->GetControl(18)->Area();
  const Ink gainInk = InkIn(editor, {gain.left, gain.bottom - 20, gain.right, gain.bottom});
  const Ink timeInk = InkIn(editor, {time.left, time.bottom - 20, time.right, time.bottom});
  EXPECT_GT(gainInk.right - gainInk.left, timeInk.right - timeInk.left);
}

constexpr IMouseKeys kLeftButton{true, false, false, false, false};

// Link's switch steps 0, 1, 0; turning Link on moves the End knob's image to the Initial value
// without changing parameter 3 or its text; turning it off moves nothing back.
TEST_F(FerrixEditorTest, LinkSwitchClicksAndTheLinkedKnob) {
  Ferrix effect(nullptr);
  Open(effect);
  IGraphics* editor = effect.Graphics();
  effect.SetParamFromEditor(kThresholdInitial,
                            effect.GetParam(kThresholdInitial)->ToNormalized(-12.0));
  IControl* endKnob = editor->GetControl(16);
  const double endAtZero = effect.GetParam(kThresholdEnd)->ToNormalized(0.0);
  const double endAtMinus12 = effect.GetParam(kThresholdEnd)->ToNormalized(-12.0);
  EXPECT_EQ(endKnob->Value(), endAtZero);
  const double expected[][2] = {{1.0, endAtMinus12}, {0.0, endAtMinus12}, {1.0, endAtMinus12}};
  for (const auto& step : expected) {
    editor->MouseDown(327, 207, kLeftButton);
    editor->MouseUp(327, 207, kLeftButton);
    EXPECT_EQ(effect.GetParam(kLink)->Value(), step[0]);
    EXPECT_NEAR(endKnob->Value(), step[1], 1e-12);
    EXPECT_EQ(effect.GetParam(kThresholdEnd)->Value(), 0.0);
  }
}

}  // namespace
