// The X11 editor window under a private Xvfb: opening inside a parent, presented pixels, pointer
// and key input through XTest, and repeated opening and closing.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "graphics/IKnobControl.h"
#include "graphics_x11/IGraphicsX11.h"
#include "tests/graphics/EditorTestSupport.h"
#include "tests/graphics_x11/XvfbServer.h"

// Last: Xlib's macros (Bool, None, Status) would rename our own names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

constexpr Pixel kYellow = 0xFFFFFF00;

// A knob showing the test knob image's frame (1-based) for its value: 0.55 white, 1 yellow.
class FrameKnob : public IKnobControl {
 public:
  FrameKnob(EffectBase* effect, const IImage& image)
      : IKnobControl(effect, {20, 20, 30, 30}, 1), image_(image) {}
  bool Draw(IGraphics* editor) override {
    return editor->BlitImageFrame(image_, Area(), 1 + static_cast<int>(Value() * 3 + 0.5), nullptr);
  }

 private:
  IImage image_;
};

// Closes the editor's window when pressed, as a host may do from inside the editor's call.
class ClosingControl : public IControl {
 public:
  ClosingControl() : IControl(nullptr, {0, 40, 10, 48}, -1, {}) {}
  void MouseDown(int, int, const IMouseKeys&) override { editor->CloseEditorWindow(); }
  bool Draw(IGraphics*) override { return true; }
  IGraphics* editor = nullptr;
};

class X11TestEditor : public IGraphicsX11 {
 public:
  explicit X11TestEditor(EffectBase* effect) : IGraphicsX11(effect, 64, 48) {
    SetModuleInstance(TestModule());
  }
};

void* AsParent(Window window) {
  return reinterpret_cast<void*>(static_cast<uintptr_t>(window));
}

class X11Editor : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server = new XvfbServer; }
  static void TearDownTestSuite() {
    delete server;
    server = nullptr;
  }

  void SetUp() override {
    if (!server->Failure().empty()) GTEST_SKIP() << server->Failure();
    display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 100, 80, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    DefineTestParams(effect);
    editor = new X11TestEditor(&effect);
    editor->AddBackground(kBackgroundId, "background.png");
    editor->AddControl(new FrameKnob(&effect, editor->LoadImage(kKnobId, "knob.png", 4)));
    recorder = new RecordingControl(&effect, {40, 0, 64, 20}, -1, &log, "rec");
    editor->AddControl(recorder);
    effect.AttachEditor(editor);  // the effect owns it from here
  }

  void TearDown() override {
    if (display) XCloseDisplay(display);
  }

  // Lets the server deliver what the test sent, then runs the editor's idle step.
  void Pump(bool redraw = false) {
    XSync(display, False);
    if (editor->Display()) XSync(editor->Display(), False);
    editor->IdleStep(redraw);
  }

  void Open() {
    ASSERT_NE(editor->OpenEditorWindow(AsParent(parent)), nullptr);
    XSync(editor->Display(), False);
    Pump(true);
  }

  // The window's pixel, as 0xFFRRGGBB.
  Pixel WindowPixel(XImage* image, int x, int y) {
    return 0xFF000000u | static_cast<Pixel>(XGetPixel(image, x, y) & 0xFFFFFF);
  }

  void Press(int x, int y, unsigned int button) {
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    Pump();
  }
  void Release(unsigned int button) {
    XTestFakeButtonEvent(display, button, False, CurrentTime);
    Pump();
  }
  void Key(KeySym keysym) {
    const KeyCode code = XKeysymToKeycode(display, keysym);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    Pump();
  }

  static XvfbServer* server;
  Display* display = nullptr;
  Window parent = 0;
  EditorTestEffect effect;
  X11TestEditor* editor = nullptr;
  RecordingControl* recorder = nullptr;
  std::vector<std::string> log;
};

XvfbServer* X11Editor::server = nullptr;

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

}  // namespace
