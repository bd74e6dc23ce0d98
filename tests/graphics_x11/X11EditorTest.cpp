// The X11 editor window under a private Xvfb: opening inside a parent, presented pixels, pointer
// and key input through XTest, and repeated opening and closing.
#include <cstdlib>

#include "tests/graphics_x11/X11EditorFixture.h"

namespace {

TEST_F(X11Editor, OpensAsAChildOfTheParentAndShowsTheCanvas) {
  Open();
  Window root, parentOf;
  Window* children = nullptr;
  unsigned int count = 0;
  XQueryTree(display, editor->XWindow(), &root, &parentOf, &children, &count);
  if (children) XFree(children);
  EXPECT_EQ(parentOf, parent);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, editor->XWindow(), &attributes);
  EXPECT_EQ(attributes.width, 64);
  EXPECT_EQ(attributes.height, 48);
  EXPECT_EQ(attributes.map_state, IsViewable);

  XImage* image = XGetImage(display, editor->XWindow(), 0, 0, 64, 48, AllPlanes, ZPixmap);
  ASSERT_NE(image, nullptr);
  // Background blue; the knob at 0.55 shows frame 2 (white) on its left half, its clear right
  // half lets the background through; and every pixel equals the canvas.
  EXPECT_EQ(WindowPixel(image, 2, 2), kBlue);
  EXPECT_EQ(WindowPixel(image, 22, 25), kWhite);
  EXPECT_EQ(WindowPixel(image, 27, 25), kBlue);
  int differing = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      differing += WindowPixel(image, x, y) !=
                   (0xFF000000u | editor->Canvas()->Bits()[y * editor->Canvas()->RowSpan() + x]);
  EXPECT_EQ(differing, 0);
  XDestroyImage(image);
}

TEST_F(X11Editor, SharedMemoryAndPlainPresentingShowTheSamePixels) {
  std::vector<Pixel> shown[2];
  for (int way = 0; way < 2; ++way) {
    const bool shared = way == 0;
    editor->SetSharedMemoryAllowed(shared);
    Open();
    EXPECT_EQ(editor->PresentsThroughSharedMemory(), shared);  // Xvfb offers MIT-SHM
    // A partial present (the knob's area after a change), and one reaching past the edges.
    editor->GetControl(1)->SetValueFromPlugin(shared ? 1.0 : 0.0);
    Pump(true);
    editor->GetControl(1)->SetValueFromPlugin(1.0);
    Pump(true);
    EXPECT_TRUE(editor->PresentArea({-5, 40, 100, 100}));
    XImage* image = XGetImage(display, editor->XWindow(), 0, 0, 64, 48, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x)
        shown[way].push_back(WindowPixel(image, x, y));
    XDestroyImage(image);
    editor->CloseEditorWindow();
  }
  EXPECT_EQ(shown[0][25 * 64 + 22], kYellow);
  EXPECT_TRUE(shown[0] == shown[1]);
}

TEST_F(X11Editor, DraggingTheKnobSetsItsParameterInsideOneGestureAndRedrawsIt) {
  Open();
  Press(25, 25, Button1);
  XTestFakeMotionEvent(display, -1, 25, 15, CurrentTime);  // 10 px up: +0.25
  Pump();
  EXPECT_DOUBLE_EQ(effect.GetParam(1)->ToNormalized(), 0.8);
  XTestFakeMotionEvent(display, -1, 90, 0, CurrentTime);  // outside the window: still grabbed
  Pump();
  Release(Button1);
  EXPECT_DOUBLE_EQ(effect.GetParam(1)->Value(), 10.0);
  EXPECT_EQ(effect.gestures, (std::vector<std::string>{"begin 1", "end 1"}));
  EXPECT_EQ(editor->CaptureIndex(), -1);

  Pump(true);
  XImage* image = XGetImage(display, editor->XWindow(), 20, 20, 10, 10, AllPlanes, ZPixmap);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(WindowPixel(image, 2, 5), kYellow);  // frame 3 now
  XDestroyImage(image);
}

TEST_F(X11Editor, SecondPressNearbyIsADoubleClickThatRestoresTheDefault) {
  Open();
  effect.SetParamFromEditor(1, 0.1);
  editor->GetControl(1)->SetValueFromPlugin(0.1);
  Press(25, 25, Button1);
  Release(Button1);
  EXPECT_DOUBLE_EQ(effect.GetParam(1)->ToNormalized(), 0.1);  // a press alone moves nothing
  Press(27, 26, Button1);
  Release(Button1);
  EXPECT_DOUBLE_EQ(effect.GetParam(1)->ToNormalized(), 0.55);  // the value it first received
  // Far from the last press: a plain press; the right button never doubles, nor does a third
  // press; the left one does even with a right click between.
  log.clear();
  Press(50, 10, Button1);
  Release(Button1);
  Press(50, 10, Button3);
  Release(Button3);
  Press(51, 11, Button1);
  Release(Button1);
  Press(51, 11, Button1);
  Release(Button1);
  EXPECT_EQ(log, (std::vector<std::string>{"rec down 50,10", "rec up 50,10", "rec down 50,10",
                                           "rec up 50,10", "rec double 51,11", "rec up 51,11",
                                           "rec down 51,11", "rec up 51,11"}));
}

TEST_F(X11Editor, WheelAndKeysReachTheControlUnderThePointer) {
  Open();
  log.clear();
  Press(50, 10, Button4);
  Release(Button4);
  Press(50, 10, Button5);
  Release(Button5);
  XSetInputFocus(display, editor->XWindow(), RevertToParent, CurrentTime);
  for (KeySym key : {XK_space, XK_Up, XK_Right, XK_0, XK_9, XK_a, XK_z, XK_F1, XK_Return})
    Key(key);
  EXPECT_EQ(log, (std::vector<std::string>{"rec wheel 1,0", "rec wheel -1,0", "rec key 0,0",
                                           "rec key 1,0", "rec key 4,0", "rec key 5,0",
                                           "rec key 14,0", "rec key 15,0", "rec key 40,0"}));
}

TEST_F(X11Editor, ThePaintingStartsOnExposureWhileTheHostsFirstIdleCallIsLate) {
  editor->SetIdleWait(std::chrono::hours(1));
  ASSERT_NE(editor->OpenEditorWindow(AsParent(parent)), nullptr);
  const auto shows = [&](Pixel knob) {
    XImage* image = XGetImage(display, editor->XWindow(), 0, 0, 64, 48, AllPlanes, ZPixmap);
    const bool match =
        image && WindowPixel(image, 2, 2) == kBlue && WindowPixel(image, 22, 25) == knob;
    if (image) XDestroyImage(image);
    return match;
  };
  bool painted = false;
  for (int i = 0; i < 4000 && !(painted = shows(kWhite)); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_TRUE(painted);
  EXPECT_FALSE(editor->ThreadDriven());
  // The host's late idle calls still take the driving over.
  editor->GetControl(1)->SetValueFromPlugin(1.0);
  Pump(true);
  EXPECT_TRUE(shows(kYellow));
  editor->CloseEditorWindow();
}

TEST_F(X11Editor, AHostSwappingErrorHandlersOnItsThreadLosesNoneAndGetsNoneOfTheEditors) {
  static std::atomic<int> hostErrors{0};
  const XErrorHandler host = [](Display*, XErrorEvent*) {
    ++hostErrors;
    return 0;
  };
  const XErrorHandler original = XSetErrorHandler(host);
  editor->SetIdleWait(std::chrono::milliseconds(0));  // the editor's own thread drives at once
  ASSERT_NE(editor->OpenEditorWindow(AsParent(parent)), nullptr);
  // While the editor's thread draws each value, the host's thread keeps setting its handler.
  int replaced = 0;
  for (int round = 0; round < 10; ++round) {
    const bool high = round % 2 == 0;
    editor->GetControl(1)->SetValueFromPlugin(high ? 1.0 : 0.55);
    bool shown = false;
    for (int i = 0; i < 4000 && !shown; ++i) {
      replaced += XSetErrorHandler(host) != host;
      XImage* image = XGetImage(display, editor->XWindow(), 22, 25, 1, 1, AllPlanes, ZPixmap);
      shown = image && WindowPixel(image, 0, 0) == (high ? kYellow : kWhite);
      if (image) XDestroyImage(image);
    }
    ASSERT_TRUE(shown) << round;
  }
  // The host destroys its window under the drawing editor: the editor's failing requests are
  // its own.
  XDestroyWindow(display, parent);
  XSync(display, False);
  for (int i = 0; i < 4000 && editor->WindowHandle(); ++i) {
    editor->GetControl(1)->SetValueFromPlugin(i % 2 ? 1.0 : 0.55);
    replaced += XSetErrorHandler(host) != host;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(editor->WindowHandle(), nullptr);
  editor->CloseEditorWindow();
  EXPECT_EQ(XSetErrorHandler(original), host);
  EXPECT_EQ(replaced, 0);
  EXPECT_EQ(hostErrors, 0);
}

TEST_F(X11Editor, AHiddenEditorDrawsNothingUntilShownAgain) {
  Open();
  const auto knobPixel = [&] {
    return editor->Canvas()->Bits()[25 * editor->Canvas()->RowSpan() + 22];
  };
  XUnmapWindow(display, parent);
  editor->GetControl(1)->SetValueFromPlugin(1.0);
  Pump(true);
  EXPECT_EQ(0xFF000000u | knobPixel(), kWhite);
  XMapWindow(display, parent);
  Pump(true);
  EXPECT_EQ(0xFF000000u | knobPixel(), kYellow);
}

TEST_F(X11Editor, EveryButtonsReleaseEndsItsGestureAndFreesThePointer) {
  Open();
  // Middle alone; left with the middle pressed and released inside its drag.
  Press(25, 25, Button2);
  Release(Button2);
  EXPECT_TRUE(PointerFree());
  Press(25, 25, Button1);
  Press(25, 25, Button2);
  Release(Button2);
  EXPECT_FALSE(PointerFree());  // the left button still holds it
  Release(Button1);
  EXPECT_TRUE(PointerFree());
  // The middle press inside the drag ends the left one's gesture: never two open at once.
  EXPECT_EQ(effect.gestures,
            (std::vector<std::string>{"begin 1", "end 1", "begin 1", "end 1", "begin 1", "end 1"}));
}

TEST_F(X11Editor, KeysTheEditorDoesNotTakeReachTheHostsWindow) {
  Open();
  XSelectInput(display, parent, KeyPressMask | KeyReleaseMask);
  XSetInputFocus(display, parent, RevertToParent, CurrentTime);
  // Over the knob (no keys) and over the recorder (takes every key); then, after a click on the
  // knob, with the pointer over the host's window beside the editor.
  const struct {
    int x, y;
    bool click;
    KeySym key;
    bool host;
  } cases[] = {
      {25, 25, false, XK_space, true}, {50, 10, false, XK_a, false}, {80, 70, true, XK_z, true}};
  for (const auto& c : cases) {
    if (c.click) {
      Press(25, 25, Button1);
      Release(Button1);
    }
    XTestFakeMotionEvent(display, -1, c.x, c.y, CurrentTime);
    Pump();
    log.clear();
    Key(c.key);
    const KeyCode code = XKeysymToKeycode(display, c.key);
    int pressed = 0, released = 0;
    // Until the host has both, or the recorder the press (whose release is then held back too).
    EXPECT_TRUE(Await([&] {
      XEvent event;
      while (XCheckWindowEvent(display, parent, KeyPressMask | KeyReleaseMask, &event)) {
        EXPECT_EQ(event.xkey.keycode, code) << c.x;
        (event.type == KeyPress ? pressed : released) += 1;
      }
      return c.host ? released > 0 : !log.empty();
    })) << c.x;
    EXPECT_EQ(pressed, c.host ? 1 : 0) << c.x;
    EXPECT_EQ(released, c.host ? 1 : 0) << c.x;
    EXPECT_EQ(log.size(), c.host ? 0u : 1u) << c.x;
  }
}

TEST_F(X11Editor, OpensAgainAndTwiceAtOnceAndRefusesWhatItCannotOpen) {
  EXPECT_EQ(editor->WindowHandle(), nullptr);
  EXPECT_EQ(editor->OpenEditorWindow(nullptr), nullptr);
  EXPECT_EQ(editor->OpenEditorWindow(AsParent(0x7fffff)), nullptr);  // no such window
  const std::string name = std::getenv("DISPLAY");
  unsetenv("DISPLAY");
  EXPECT_EQ(editor->OpenEditorWindow(AsParent(parent)), nullptr);
  setenv("DISPLAY", name.c_str(), 1);

  EditorTestEffect other;
  auto* second = new X11TestEditor(&other);
  other.AttachEditor(second);
  for (int i = 0; i < 100; ++i) {
    ASSERT_NE(editor->OpenEditorWindow(AsParent(parent)), nullptr) << i;
    ASSERT_NE(second->OpenEditorWindow(AsParent(parent)), nullptr) << i;
    editor->Idle();
    second->CloseEditorWindow();
    editor->CloseEditorWindow();
  }
  EXPECT_EQ(editor->WindowHandle(), nullptr);
  // The host destroying its window first leaves only the connection to close.
  Open();
  XDestroyWindow(display, parent);
  Pump(true);
  editor->CloseEditorWindow();
  EXPECT_EQ(editor->Display(), nullptr);
}

TEST_F(X11Editor, ClosingFromInsideAnInputCallClosesWhenTheIdleStepEnds) {
  auto* closer = new ClosingControl;
  closer->editor = editor;
  editor->AddControl(closer);
  Open();
  Press(5, 45, Button1);
  EXPECT_EQ(editor->Display(), nullptr);
  EXPECT_EQ(editor->WindowHandle(), nullptr);
  Release(Button1);
}

// A 16-bit screen (as VNC sessions often have): the editor and its entry open on it in its colours.
class X11Editor16 : public X11Editor {
 protected:
  static void SetUpTestSuite() { server = new XvfbServer("320x240x16"); }
};

TEST_F(X11Editor16, OpensOnA16BitScreenWithItsColoursConverted) {
  Open();
  IControl* knob = editor->GetControl(1);
  knob->TextStyle().entryBackground = {255, 255, 0, 0};
  editor->ShowTextEntry(knob, knob->TextStyle(), {10, 30, 40, 45}, "", nullptr);
  Pump(true);
  ASSERT_NE(editor->EntryXWindow(), 0u);
  XImage* image = XGetImage(display, editor->XWindow(), 0, 0, 64, 48, AllPlanes, ZPixmap);
  XImage* entry = XGetImage(display, editor->EntryXWindow(), 29, 14, 1, 1, AllPlanes, ZPixmap);
  ASSERT_TRUE(image && entry);
  EXPECT_EQ(image->depth, 16);
  EXPECT_EQ(XGetPixel(image, 2, 2), image->blue_mask);  // the background
  EXPECT_EQ(XGetPixel(image, 22, 25), image->red_mask | image->green_mask | image->blue_mask);
  EXPECT_EQ(XGetPixel(entry, 0, 0), image->red_mask);
  XDestroyImage(image);
  XDestroyImage(entry);
}

}  // namespace
