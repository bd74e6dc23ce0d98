// Input routing: hit order, hidden and greyed controls, capture and gestures, mouse-over, keys.
#include <gtest/gtest.h>

#include "graphics/IBitmapControl.h"
#include "tests/graphics/EditorTestSupport.h"

namespace {

using Log = std::vector<std::string>;

class EditorInput : public ::testing::Test {
 protected:
  EditorInput() {
    DefineTestParams(effect);
    editor.SetKeyFallbackControl(new RecordingControl(&effect, {}, -1, &log, "fallback"));
    editor.AddControl(new RecordingControl(&effect, {0, 0, 64, 48}, -1, &log, "back"));
    editor.AddControl(new RecordingControl(&effect, {10, 10, 30, 30}, 1, &log, "lower"));
    upper = new RecordingControl(&effect, {20, 20, 40, 40}, 2, &log, "upper");
    editor.AddControl(upper);
  }

  EditorTestEffect effect;
  TestEditor editor{&effect};
  Log log;
  RecordingControl* upper;
  IMouseKeys left{true, false, false, false, false};
  IMouseKeys none{};
};

TEST_F(EditorInput, PressGoesToTheControlAddedLastAndCapturesItUntilRelease) {
  editor.MouseDown(25, 25, left);  // inside both: upper is on top
  editor.MouseDrag(25, 25, left);  // no movement: not passed on
  editor.MouseDrag(27, 22, left);
  editor.MouseDrag(50, 5, none);  // no button held: no drag
  editor.MouseUp(60, 45, left);   // far outside: still the captured control
  EXPECT_EQ(log, (Log{"upper down 25,25", "upper drag 2,-3", "upper up 60,45"}));
  EXPECT_EQ(effect.gestures, (std::vector<std::string>{"begin 2", "end 2"}));
  EXPECT_EQ(editor.CaptureIndex(), -1);
}

TEST_F(EditorInput, HiddenAndGreyedControlsAreNeverTargetsExceptGreyedMouseOver) {
  upper->SetHidden(true);
  editor.MouseDown(25, 25, left);
  editor.MouseUp(25, 25, left);
  upper->SetHidden(false);
  upper->SetGreyed(true);
  editor.MouseWheel(25, 25, none, 2);
  editor.SetTrackMouseOver(true);
  EXPECT_TRUE(editor.MouseOver(25, 25, none));  // lower: upper greyed without hover
  upper->SetHoverWhenGreyed(true);
  EXPECT_TRUE(editor.MouseOver(26, 26, none));  // now upper; lower leaves
  editor.MouseLeave();
  EXPECT_EQ(log, (Log{"lower down 25,25", "lower up 25,25", "lower wheel 2,0", "lower over 25,25",
                      "upper over 26,26", "lower out", "back out", "lower out", "upper out"}));
  EXPECT_EQ(editor.HoverIndex(), -1);
  editor.SetTrackMouseOver(false);
  EXPECT_FALSE(editor.MouseOver(26, 26, none));
}

TEST_F(EditorInput, KeysOverTheBackgroundOrNothingGoToTheFallbackControl) {
  EXPECT_TRUE(editor.KeyDown(25, 25, 7));  // upper
  EXPECT_TRUE(editor.KeyDown(2, 2, 8));    // background: fallback
  EXPECT_TRUE(editor.KeyDown(99, 99, 9));  // nothing: fallback
  EXPECT_EQ(log, (Log{"upper key 7,0", "fallback key 8,0", "fallback key 9,0"}));

  EditorTestEffect plain;
  TestEditor bare{&plain};
  EXPECT_FALSE(bare.KeyDown(1, 1, 1));
  bare.MouseWheel(1, 1, none, 1);  // no target, nothing happens
  bare.MouseDrag(1, 1, left);
  EXPECT_TRUE(bare.RedrawArea({0, 0, 64, 48}));  // no controls: nothing presented, true
}

TEST_F(EditorInput, DoubleClickIsAPressOnlyWhereTheControlAsks) {
  EXPECT_FALSE(editor.MouseDoubleClick(25, 25, left));
  EXPECT_EQ(editor.CaptureIndex(), -1);
  upper->SetDoubleClickAsPress(true);
  EXPECT_TRUE(editor.MouseDoubleClick(25, 25, left));
  EXPECT_EQ(editor.CaptureIndex(), 2);
  editor.MouseUp(25, 25, none);
  EXPECT_EQ(log, (Log{"upper double 25,25", "upper down 25,25", "upper up 25,25"}));
}

// Hosts record automation between a begin and its end: every gesture is opened once and closed
// once, and what the input sets lies inside one.
TEST_F(EditorInput, EveryGestureEndsOnceWhateverTheButtonsDo) {
  const IMouseKeys right{false, true, false, false, false}, both{true, true, false, false, false};
  editor.MouseDoubleClick(25, 25, left);  // no press: a gesture of its own
  editor.MouseUp(25, 25, none);           // ends nothing
  editor.MouseDown(25, 25, left);         // left and right together on one control...
  editor.MouseDown(25, 25, both);
  editor.MouseUp(25, 25, right);
  editor.MouseUp(60, 45, none);    // ...the second release elsewhere
  editor.MouseDown(15, 15, none);  // neither button (the middle one): no release will come
  editor.MouseWheel(15, 15, none, 1);
  editor.MouseDown(15, 15, left);
  editor.MouseWheel(50, 5, left, 1);  // to the control holding the press, in its gesture
  editor.MouseUp(50, 5, none);
  // A right press opening a menu: the menu takes the release, the choice is made in the gesture.
  auto* bypass = new IBitmapControl(&effect, 40, 30, 8, editor.LoadImage(kKnobId, "knob.png", 4));
  bypass->SetPromptDisabled(false);
  editor.AddControl(bypass);
  editor.menuChoice = 1;
  editor.MouseDown(45, 35, right);
  EXPECT_EQ(effect.gestures,
            (std::vector<std::string>{"begin 2", "end 2", "begin 2", "end 2", "begin 2", "end 2",
                                      "begin 1", "end 1", "begin 1", "end 1", "begin 1", "end 1",
                                      "begin 8", "end 8"}));
  EXPECT_EQ(effect.GetParam(8)->Value(), 1.0);
}

TEST_F(EditorInput, RightPressInTheMenuHostLeavesParameterControlsAlone) {
  effect.host = 1;
  const IMouseKeys right{false, true, false, false, false};
  editor.MouseDown(25, 25, right);
  editor.MouseDown(5, 5, right);  // the background has no parameter
  EXPECT_EQ(log, (Log{"back down 5,5"}));
  EXPECT_TRUE(effect.gestures.empty());
}

}  // namespace
