// The controls: value flow both ways, switch stepping, wheel and knob gearing, prompts, texts,
// web addresses, and that drawing never reaches the plug-in.
#include <gtest/gtest.h>

#include <cmath>

#include "graphics/IBitmapControl.h"
#include "graphics/IKnobControl.h"
#include "graphics/ITextControl.h"
#include "graphics/IURLControl.h"
#include "tests/graphics/EditorTestSupport.h"

namespace {

class Controls : public ::testing::Test {
 protected:
  Controls() {
    DefineTestParams(effect);
    editor.AddBackground(kBackgroundId, "background.png");
    editor.PrepareDrawing();
  }
  IImage Knob(int frames) { return editor.LoadImage(kKnobId, "knob.png", frames); }

  EditorTestEffect effect;
  TestEditor editor{&effect};
  IMouseKeys none{}, left{true, false, false, false, false},
      right{false, true, false, false, false};
  IMouseKeys shift{true, false, true, false, false};
};

TEST_F(Controls, SwitchesStepThroughTheirFramesAndWrap) {
  const struct {
    int frames;
    std::vector<double> values;
  } cases[] = {{2, {1.0, 0.0, 1.0}}, {3, {0.5, 1.0, 0.0}}, {1, {1.0, 0.0}}, {0, {1.0, 0.0}}};
  for (const auto& c : cases) {
    ISwitchControl control(&effect, 0, 0, 8, Knob(c.frames));
    std::vector<double> seen;
    for (size_t i = 0; i < c.values.size(); ++i) {
      i % 2 ? control.MouseDoubleClick(0, 0, left) : control.MouseDown(0, 0, left);
      seen.push_back(control.Value());
    }
    EXPECT_EQ(seen, c.values) << c.frames << " frames";
  }
  EXPECT_EQ(effect.editorPushes, 10);
}

TEST_F(Controls, WheelDoubleClickAndGreyingFollowTheirRules) {
  auto* control = new IBitmapControl(&effect, 0, 0, 1, Knob(4), {IBlend::BlendAdd, 0.5f});
  editor.AddControl(control);
  control->MouseDoubleClick(0, 0, left);  // no value from the plug-in yet: nothing to restore
  EXPECT_EQ(control->Value(), 0.0);
  EXPECT_EQ(effect.editorPushes, 0);
  control->SetValueFromPlugin(0.995);  // the first value becomes the default, nothing is marked
  control->MarkDrawn();
  EXPECT_FALSE(control->NeedsRedraw());
  control->MouseWheel(0, 0, none, 3);  // 1.025 clamped
  EXPECT_EQ(control->Value(), 1.0);
  control->MouseWheel(0, 0, shift, -3);
  EXPECT_DOUBLE_EQ(control->Value(), 0.997);
  control->MouseDoubleClick(0, 0, left);
  EXPECT_EQ(control->Value(), 0.995);
  EXPECT_EQ(effect.editorPushes, 3);
  EXPECT_EQ(effect.reported.back().second, 0.995);

  control->SetGreyed(true);
  EXPECT_EQ(control->Blend().weight, 0.25f);
  control->SetGreyed(false);
  EXPECT_EQ(control->Blend().weight, 1.0f);
  EXPECT_EQ(control->Blend().method, IBlend::BlendAdd);
}

TEST_F(Controls, PluginValuesMarkWithoutPushingAndAreDrawnTwice) {
  IBitmapControl control(&effect, 0, 0, 1, Knob(4));
  control.SetValueFromPlugin(0.2);
  control.MarkDrawn();
  control.SetValueFromPlugin(0.2);  // the same value: nothing
  EXPECT_FALSE(control.NeedsRedraw());
  control.SetValueFromPlugin(0.4);
  control.MarkDrawn();
  EXPECT_TRUE(control.NeedsRedraw());
  control.MarkDrawn();
  EXPECT_FALSE(control.NeedsRedraw());
  control.MouseDoubleClick(0, 0, left);
  EXPECT_EQ(control.Value(), 0.2);
  EXPECT_EQ(effect.editorPushes, 1);
}

TEST_F(Controls, KnobDragIsGearedAndRedrawsNeverReachThePlugin) {
  ITextStyle style;
  auto* knob = new IKnobMultiControlText(&effect, {0, 0, 20, 40}, 1, Knob(4), style);
  editor.AddControl(knob);
  EXPECT_EQ(knob->TextArea(), (IBounds{0, 20, 20, 40}));
  EXPECT_EQ(knob->ImageArea(), (IBounds{0, 0, 10, 10}));
  knob->SetValue(0.5);
  editor.MouseDown(5, 5, left);  // outside the text: a zero drag, pushing the value as it is
  ASSERT_EQ(effect.editorPushes, 1);
  EXPECT_EQ(effect.reported.back(), (std::pair<int, double>(1, 0.5)));
  editor.MouseDrag(5, -5, left);  // 10 pixels up: +10 / 40 / 4
  EXPECT_DOUBLE_EQ(knob->Value(), 0.5625);
  editor.MouseDrag(5, -15, shift);  // ten times finer
  EXPECT_DOUBLE_EQ(knob->Value(), 0.56875);
  editor.MouseUp(5, -15, left);
  EXPECT_EQ(effect.editorPushes, 3);
  EXPECT_EQ(effect.gestures, (std::vector<std::string>{"begin 1", "end 1"}));

  for (int i = 0; i < 3; ++i) {
    knob->MarkDirty(false);
    editor.RedrawAll();
  }
  editor.MarkAllControlsDirty();
  editor.RedrawAll();
  EXPECT_EQ(effect.editorPushes, 3);

  knob->SetValue(1.5);  // a press re-clamps
  editor.MouseDown(5, 5, left);
  EXPECT_EQ(knob->Value(), 1.0);
  EXPECT_EQ(effect.reported.back(), (std::pair<int, double>(1, 1.0)));
}

// Not-a-number and infinities become what the parameters make of them (0, and the nearer end);
// a frame is chosen for any value without leaving int's range.
TEST_F(Controls, ValuesThatAreNoNumbersBecomeNumbers) {
  IBitmapControl control(&effect, 0, 0, 1, Knob(4));
  control.SetValueFromPlugin(std::nan(""));
  EXPECT_EQ(control.DefaultValue(), 0.0);
  control.SetValueFromPlugin(INFINITY);
  EXPECT_EQ(control.Value(), 1.0);
  control.SetValueFromUser(-INFINITY);
  EXPECT_EQ(effect.reported.back(), (std::pair<int, double>(1, 0.0)));
  const struct {
    double value;
    int frame;
  } frames[] = {{std::nan(""), 1}, {INFINITY, 100}, {-INFINITY, 1}, {1e300, 100},
                {-1e300, 1},       {0.5, 51},       {0.004, 1},     {1.0, 100}};
  for (const auto& f : frames)
    EXPECT_EQ(FrameForValue(100, f.value), f.frame) << f.value;
}

TEST_F(Controls, ValuePromptsOpenWhereTheyShould) {
  ITextStyle style;
  auto* knob = new IKnobMultiControlText(&effect, {0, 0, 20, 40}, 1, Knob(4), style);
  editor.AddControl(knob);
  effect.GetParam(1)->SetValue(-2.5);
  knob->MouseDown(24, 46, left);  // inside the grown text area (right +5, down +7)
  EXPECT_EQ(editor.entryText, "-2.5");
  EXPECT_EQ(editor.entryArea, (IBounds{0, 20, 20, 40}));
  editor.entryText.clear();
  knob->SetPromptDisabled(true);
  knob->MouseDown(10, 30, left);
  EXPECT_EQ(editor.entryText, "");
  EXPECT_EQ(effect.editorPushes, 0);

  // The right button: a 30 x 16 box around the centre, or for value texts a menu on the area.
  auto* level = new IBitmapControl(&effect, 21, 10, 1, Knob(4));
  level->SetPromptDisabled(false);
  editor.AddControl(level);
  level->MouseDown(0, 0, right);
  EXPECT_EQ(editor.entryArea, (IBounds{11, 7, 41, 23}));  // centre (26, 15)
  auto* bypass = new IBitmapControl(&effect, 40, 30, 8, Knob(4));
  bypass->SetPromptDisabled(false);
  editor.AddControl(bypass);
  editor.menuChoice = 1;
  bypass->MouseDown(0, 0, right);
  EXPECT_EQ(editor.menuTexts, (std::vector<std::string>{"off*", "on"}));
  EXPECT_EQ(editor.menuArea, (IBounds{40, 30, 50, 40}));
  EXPECT_EQ(bypass->Value(), 1.0);
  EXPECT_EQ(effect.GetParam(8)->Value(), 1.0);
  bypass->MouseDown(0, 0, right);  // "on" again: unchanged, not pushed
  EXPECT_EQ(effect.editorPushes, 1);
}

TEST_F(Controls, TextsMarkOnlyWhenTheyChangeAndAddressesOpenOnPress) {
  ITextControl text(&effect, {0, 0, 40, 12}, ITextStyle{});
  text.MarkDrawn();
  text.SetTextFromPlugin("-6.0 dB");
  EXPECT_TRUE(text.NeedsRedraw());
  text.MarkDrawn();
  text.MarkDrawn();
  text.SetTextFromPlugin("-6.0 dB");
  EXPECT_FALSE(text.NeedsRedraw());
  char out[SharedText::kCapacity];
  text.Text(out);
  EXPECT_STREQ(out, "-6.0 dB");
  // Texts beyond the capacity are cut at a character boundary.
  std::string longText(SharedText::kCapacity - 2, 'a');
  text.SetTextFromPlugin((longText + "\xC3\xA9").c_str());
  text.Text(out);
  EXPECT_EQ(std::string(out), longText);

  editor.AddControl(new IURLControl(&effect, {0, 40, 64, 48}, "https://example.org/"));
  editor.MouseDown(3, 44, left);
  EXPECT_EQ(editor.opened, (std::vector<std::string>{"https://example.org/"}));
}

}  // namespace
