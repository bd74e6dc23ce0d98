// The X11 window's own input path: a double-click, and both buttons pressed on the knob and
// released outside the window, sent through XTest as one burst, open every edit gesture once and
// close it once.
#include "tests/graphics_x11/X11EditorFixture.h"

namespace {

TEST_F(X11Editor, DoubleClicksAndChordsPairEveryGesture) {
  Open();
  XTestFakeMotionEvent(display, -1, 25, 25, CurrentTime);
  for (int click = 0; click < 2; ++click) {
    XTestFakeButtonEvent(display, Button1, True, CurrentTime);
    XTestFakeButtonEvent(display, Button1, False, CurrentTime);
  }
  XTestFakeButtonEvent(display, Button1, True, CurrentTime);
  XTestFakeButtonEvent(display, Button3, True, CurrentTime);
  XTestFakeMotionEvent(display, -1, 90, 70, CurrentTime);
  XTestFakeButtonEvent(display, Button1, False, CurrentTime);
  XTestFakeButtonEvent(display, Button3, False, CurrentTime);
  Pump();
  // The double-click's reset to the default, then the chord's drag to the bottom.
  ASSERT_EQ(effect.reported.size(), 2u);
  EXPECT_EQ(effect.reported[1].second, 0.0);
  EXPECT_EQ(effect.gestures, (std::vector<std::string>{"begin 1", "end 1", "begin 1", "end 1",
                                                       "begin 1", "end 1", "begin 1", "end 1"}));
  EXPECT_EQ(editor->CaptureIndex(), -1);
}

}  // namespace
