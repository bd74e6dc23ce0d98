// Ferrix's block-end hand-off to its editor and the editor side of its reactions: level texts,
// meter values and frames, skipped indices, bad values, and the linked threshold knobs.
#include <algorithm>
#include <cmath>
#include <limits>

#include "effect/FerrixLayout.h"
#include "effect/FerrixParam.h"
#include "effect/LevelText.h"
#include "graphics/IBitmapControl.h"
#include "tests/effect/FerrixEditorSupport.h"

namespace {

TEST(LevelText, DecibelsWithOneDecimalAndTheFloor) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double level;
    const char* text;
  };
  const Case cases[] = {
      {1.0, "0.0 dB"},      {0.5, "-6.0 dB"},           {0.1, "-20.0 dB"},    {0.9, "-0.9 dB"},
      {0.999, "0.0 dB"},    {0.0316227766, "-30.0 dB"}, {0.001, "-60.0 dB"},  {0.0, "-60.0 dB"},
      {1e-300, "-60.0 dB"}, {-0.5, "-60.0 dB"},         {nan, "-60.0 dB"},    {inf, "-60.0 dB"},
      {2.0, "6.0 dB"},      {0.00112, "-59.0 dB"},      {0.99424, "-0.1 dB"},
  };
  for (const Case& c : cases) {
    char text[kLevelTextSize];
    FormatLevelText(c.level, text);
    EXPECT_STREQ(text, c.text) << c.level;
  }
  EXPECT_NEAR(kLevelFloor, 0.001, 1e-15);
}

class TestFerrix : public Ferrix {
 public:
  using Ferrix::Ferrix;
  using Ferrix::SetMeterIndex;
};

// Silence reads -60.0 dB, a steady 0.5 reads -6.0 dB and full scale 0.0 dB, on both sides; a
// read-out whose text stays is not marked dirty again, nor is a meter whose value stays.
TEST_F(FerrixEditorTest, ReadoutsFollowTheOutputLevel) {
  struct Case {
    double level;
    const char* text;
  };
  for (const Case& c : {Case{0.0, "-60.0 dB"}, Case{0.5, "-6.0 dB"}, Case{1.0, "0.0 dB"}}) {
    SCOPED_TRACE(c.text);
    Ferrix effect(nullptr);
    Open(effect);
    Process(effect, 48000 * 3, [&](int) { return c.level; });
    EXPECT_EQ(Text(effect.LevelReadout(0)), c.text);
    EXPECT_EQ(Text(effect.LevelReadout(1)), c.text);
    Tick(effect.Graphics());
    Tick(effect.Graphics());  // a new text is drawn twice: a draw may have read the old one
    ASSERT_FALSE(effect.LevelReadout(0)->NeedsRedraw());
    Process(effect, 512, [&](int) { return c.level; });
    EXPECT_FALSE(effect.LevelReadout(0)->NeedsRedraw());
    EXPECT_FALSE(effect.LevelReadout(1)->NeedsRedraw());
    EXPECT_EQ(Text(effect.LevelReadout(0)), c.text);
  }
}

// With Output Gain at +9.1 dB a full-scale square leaves at +9.1 dB: the read-outs say so while
// the meters stop at their top frame.
TEST_F(FerrixEditorTest, ReadoutsShowOversWhereTheMetersStopAtTheTop) {
  Ferrix effect(nullptr);
  Open(effect);
  effect.GetParam(kOutputGain)->SetValue(9.1);
  effect.ParamChanged(kOutputGain);
  Process(effect, 48000 * 3, [](int n) { return n % 2 ? 1.0 : -1.0; });
  EXPECT_EQ(Text(effect.LevelReadout(0)), "9.1 dB");
  EXPECT_EQ(Text(effect.LevelReadout(1)), "9.1 dB");
  for (Ferrix::Meter m : {Ferrix::kOutputBarLeft, Ferrix::kOutputPeakRight})
    EXPECT_EQ(effect.Graphics()->GetControl(effect.MeterIndex(m))->Value(), 1.0) << m;
}

// The widest readings, silence and the largest over both gains allow, stay inside their half of
// the read-out window, clear of its edges and of the divider between the halves.
TEST_F(FerrixEditorTest, WidestReadoutsFitTheirHalfOfTheWindow) {
  using ferrix_layout::kReadOutDivider;
  using ferrix_layout::kReadOutWindow;
  constexpr int kGap = 2;
  char over[kLevelTextSize];
  FormatLevelText(std::pow(10.0, 2 * kFerrixGainRangeDb / 20.0), over);
  Ferrix effect(nullptr);
  Open(effect);
  IGraphics* editor = effect.Graphics();
  for (const char* text : {"-60.0 dB", static_cast<const char*>(over)}) {
    for (int side = 0; side < 2; ++side) {
      SCOPED_TRACE(testing::Message() << text << " side " << side);
      effect.LevelReadout(0)->SetTextFromPlugin("");
      effect.LevelReadout(1)->SetTextFromPlugin("");
      RedrawWhole(editor);
      const std::vector<Pixel> empty = Pixels(editor);
      effect.LevelReadout(side)->SetTextFromPlugin(text);
      RedrawWhole(editor);
      const std::vector<Pixel> drawn = Pixels(editor);
      IBounds ink{editor->Width(), editor->Height(), 0, 0};
      for (int y = 0; y < editor->Height(); ++y) {
        for (int x = 0; x < editor->Width(); ++x) {
          if (drawn[y * editor->Width() + x] == empty[y * editor->Width() + x]) continue;
          ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
                 std::max(ink.bottom, y + 1)};
        }
      }
      const int left = side == 0 ? kReadOutWindow.left : kReadOutDivider + 1;
      const int right = side == 0 ? kReadOutDivider : kReadOutWindow.right;
      EXPECT_GE(ink.left, left + kGap);
      EXPECT_LE(ink.right, right - kGap);
      EXPECT_GT(ink.top, kReadOutWindow.top);
      EXPECT_LT(ink.bottom, kReadOutWindow.bottom);
    }
  }
}

// A steady full-scale sine fills the input bars (frame 100); silence leaves them at frame 1.
TEST_F(FerrixEditorTest, MeterFramesForFullScaleAndSilence) {
  Ferrix loud(nullptr), quiet(nullptr);
  Open(loud);
  Open(quiet);
  const double twoPi = 6.283185307179586;
  Process(loud, 48000, [&](int n) { return std::sin(twoPi * n / 48.0); });
  Process(quiet, 48000, Silence);
  for (Ferrix::Meter m : {Ferrix::kInputBarLeft, Ferrix::kInputBarRight}) {
    IControl* loudBar = loud.Graphics()->GetControl(loud.MeterIndex(m));
    IControl* quietBar = quiet.Graphics()->GetControl(quiet.MeterIndex(m));
    EXPECT_EQ(FrameForValue(100, loudBar->Value()), 100) << loudBar->Value();
    EXPECT_EQ(FrameForValue(100, quietBar->Value()), 1);
  }
  // Every meter carries its follower, threshold or shift value.
  const ClipShifter& p = loud.Processing();
  const double values[] = {p.fastInputLeft.value,   p.fastInputRight.value, p.fastOutputLeft.value,
                           p.fastOutputRight.value, p.activeThreshold,      p.shiftAmount,
                           p.reduction.value,       p.slowInputLeft.value,  p.slowInputRight.value,
                           p.slowOutputLeft.value,  p.slowOutputRight.value};
  for (int m = 0; m < Ferrix::kNumMeters; ++m)
    EXPECT_EQ(loud.Graphics()->GetControl(loud.MeterIndex(Ferrix::Meter(m)))->Value(), values[m])
        << m;
}

// Whatever the order of painting, choosing a preset and the first block, the timer's next pass
// leaves the canvas as a full repaint of the same values draws it ("Overhead" then silence: the
// threshold marker at -6.6 dB, not at the bottom where nothing was fed before).
TEST_F(FerrixEditorTest, MetersShowTheirValueOneTickAfterTheFirstBlock) {
  enum Step { kPaint, kPreset, kBlock };
  Step steps[] = {kPaint, kPreset, kBlock};
  do {
    SCOPED_TRACE(testing::Message() << steps[0] << steps[1] << steps[2]);
    Ferrix effect(nullptr);
    Open(effect);
    IGraphics* editor = effect.Graphics();
    for (Step step : steps) {
      if (step == kPaint) {  // the timer runs until nothing is left to draw
        Tick(editor);
        Tick(editor);
      }
      if (step == kPreset) effect.LoadPreset(4);
      if (step == kBlock) Process(effect, 512, Silence);
    }
    Tick(editor);
    Tick(editor);  // a value changed while drawing is drawn once more
    const std::vector<Pixel> ticked = Pixels(editor);
    RedrawWhole(editor);
    EXPECT_TRUE(ticked == Pixels(editor));
  } while (std::next_permutation(std::begin(steps), std::end(steps)));
}

// Stored indices that are negative or past the last control are skipped; the rest still move.
TEST_F(FerrixEditorTest, MeterIndicesOutOfRangeAreSkipped) {
  TestFerrix effect(nullptr);
  Open(effect);
  effect.SetMeterIndex(Ferrix::kInputBarLeft, -1);
  effect.SetMeterIndex(Ferrix::kInputBarRight, 24);
  effect.SetMeterIndex(Ferrix::kShiftMeter, 1 << 30);
  Process(effect, 4800, [](int n) { return n % 2 ? 0.7 : -0.7; });
  IGraphics* editor = effect.Graphics();
  EXPECT_EQ(editor->GetControl(1)->Value(), 0.0);
  EXPECT_EQ(editor->GetControl(2)->Value(), 0.0);
  EXPECT_GT(editor->GetControl(3)->Value(), 0.5);  // output bar left
  EXPECT_GT(editor->GetControl(5)->Value(), 0.1);  // input peak left
}

// Absurd sample rates make followers not-a-number: such meters show frame 1 and the read-outs
// the floor, never a value outside 0..1.
TEST_F(FerrixEditorTest, NonFiniteMeterValuesShowAsEmpty) {
  Ferrix effect(nullptr);
  Open(effect);
  effect.SetSampleRate(std::numeric_limits<double>::quiet_NaN());
  Process(effect, 512, [](int) { return 0.8; });
  ASSERT_TRUE(std::isnan(effect.Processing().slowOutputLeft.value));
  for (int m = 0; m < Ferrix::kNumMeters; ++m) {
    const double v = effect.Graphics()->GetControl(effect.MeterIndex(Ferrix::Meter(m)))->Value();
    EXPECT_TRUE(v >= 0.0 && v <= 1.0) << m << " " << v;
  }
  EXPECT_EQ(Text(effect.LevelReadout(0)), "-60.0 dB");
  EXPECT_EQ(Text(effect.LevelReadout(1)), "-60.0 dB");
}

// Without an editor the block ends after the shift amount: nothing is handed off, the output
// levels keep their reset floor, and the sound is the same as with an editor.
TEST_F(FerrixEditorTest, WithoutEditorTheHandOffIsSkipped) {
  Ferrix with(nullptr), without(nullptr, false);
  Open(with);
  Open(without);
  std::vector<double> a, b;
  const auto signal = [](int n) { return 1.3 * std::sin(n * 0.01); };
  Process(with, 9600, signal, &a);
  Process(without, 9600, signal, &b);
  EXPECT_EQ(a, b);
  EXPECT_EQ(without.Processing().outputLevelLeft, 0.001);
  EXPECT_EQ(with.Processing().outputLevelLeft, with.Processing().slowOutputLeft.value);
}

// With Link on, turning Threshold-End to -20 dB moves the Threshold-Initial knob's image to
// -20 dB, drawn exactly as a knob really at -20 dB, while parameter 2, its text and the sound
// keep -6 dB. Switching Link off moves nothing back.
TEST_F(FerrixEditorTest, LinkedKnobMovesOnScreenOnly) {
  // Turning a control as the user does: its value, then the parameter through the editor.
  const auto turn = [](Ferrix& e, int control, double plain) {
    IControl* c = e.Graphics()->GetControl(control);
    const PlugParam* param = e.GetParam(c->ParamIndex());
    c->SetValueFromUser(param->NValueTexts() ? plain : param->ToNormalized(plain));
  };
  constexpr int kInitialKnob = 15, kEndKnob = 16, kLinkSwitch = 12;
  Ferrix linked(nullptr), reference(nullptr), sound(nullptr);
  for (Ferrix* e : {&linked, &reference, &sound}) {
    Open(*e);
    turn(*e, kInitialKnob, -6.0);
    turn(*e, kLinkSwitch, 1.0);
  }
  const PlugParam* initial = linked.GetParam(kThresholdInitial);
  turn(linked, kEndKnob, -20.0);
  turn(reference, kLinkSwitch, 0.0);
  turn(reference, kInitialKnob, -20.0);

  IControl* knob = linked.Graphics()->GetControl(kInitialKnob);
  EXPECT_NEAR(knob->Value(), initial->ToNormalized(-20.0), 1e-12);
  EXPECT_EQ(initial->Value(), -6.0);
  turn(linked, kLinkSwitch, 0.0);
  EXPECT_NEAR(knob->Value(), initial->ToNormalized(-20.0), 1e-12);
  turn(linked, kLinkSwitch, 1.0);

  std::vector<double> a, b;
  const auto signal = [](int n) { return 0.9 * std::sin(n * 0.02); };
  Process(linked, 4800, signal, &a);
  Process(sound, 4800, signal, &b);
  EXPECT_EQ(a, b);

  // The knob image matches the reference knob pixel for pixel; the text row does not (-6.0 dB
  // against -20.0 dB).
  IGraphics* left = linked.Graphics();
  IGraphics* right = reference.Graphics();
  left->MarkAllControlsDirty();
  right->MarkAllControlsDirty();
  Tick(left);
  Tick(right);
  int imageDiffs = 0, textDiffs = 0;
  for (int y = 136; y < 246; ++y)
    for (int x = 214; x < 304; ++x)
      (y < 226 ? imageDiffs : textDiffs) += At(left, x, y) != At(right, x, y);
  EXPECT_EQ(imageDiffs, 0);
  EXPECT_GT(textDiffs, 20);
}

}  // namespace
