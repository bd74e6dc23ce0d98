// What the X11 editor tests share: a private Xvfb per test suite, a parent window, an editor
// with a background, a knob and a recording control, and input sent through XTest.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "graphics/IKnobControl.h"
#include "graphics_x11/IGraphicsX11.h"
#include "graphics_x11/X11ErrorTrap.h"
#include "tests/graphics/EditorTestSupport.h"
#include "tests/graphics_x11/XvfbServer.h"

// Last: Xlib's macros (Bool, None, Status) would rename our own names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

constexpr Pixel kYellow = 0xFFFFFF00;
// An idle wait no test reaches: the editor's own thread never takes over from the test's idle
// calls, however slowly they come.
constexpr std::chrono::milliseconds kNoThread = std::chrono::hours(24);

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

inline void* AsParent(Window window) {
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
    editor->SetIdleWait(kNoThread);
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

  // Opened for a host that sends idle calls (Pump): however slow the machine, the editor's own
  // thread never takes the window over.
  void Open() {
    editor->SetIdleWait(std::chrono::hours(1));
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
  // Runs the editor's event step until done() holds (fake input may reach the editor a little
  // after the server has answered); false when it never does.
  bool Await(const std::function<bool()>& done) {
    for (int attempt = 0; attempt < 2000 && !done(); ++attempt) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      XSync(display, False);
      if (editor->Display()) XSync(editor->Display(), False);
      editor->DrainEvents();
    }
    return done();
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

  // True when no client holds the pointer grabbed.
  bool PointerFree() {
    const int answer = XGrabPointer(display, DefaultRootWindow(display), False, ButtonPressMask,
                                    GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    if (answer == GrabSuccess) XUngrabPointer(display, CurrentTime);
    XSync(display, False);
    return answer == GrabSuccess;
  }

  // Runs a modal editor call (a menu, a confirmation) on the test thread, the host's editor
  // thread, while a user on a connection of its own acts through XTest once a pop-up (a mapped
  // override-redirect window) is up. A user who leaves it open is helped out with Escape.
  void WhileModal(const std::function<void()>& modalCall,
                  const std::function<void(Display* own, const XWindowAttributes& popup)>& user) {
    std::atomic<bool> returned{false};
    std::thread userThread([&] {
      Display* own = XOpenDisplay(nullptr);
      XWindowAttributes popup{};
      if (FindPopup(own, &popup) && AwaitKeyboardGrab(own)) user(own, popup);
      for (int i = 0; i < 300 && !returned; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      for (int i = 0; !returned; ++i) {
        if (i == 100) {
          std::fprintf(stderr, "the modal call never returned\n");
          std::abort();  // rather than hang the test run
        }
        TypeKey(own, XK_Escape);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
      XCloseDisplay(own);
    });
    modalCall();
    returned = true;
    userThread.join();
  }
  // Waits until at least count pop-ups are up (looking attempts times); popup is the first found.
  static bool FindPopup(Display* own, XWindowAttributes* popup, int count = 1,
                        int attempts = 2000) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
      X11ErrorTrap trap(own);  // a window listed may be gone when we ask about it
      Window root, parentOf, *children = nullptr;
      unsigned int listed = 0;
      XQueryTree(own, DefaultRootWindow(own), &root, &parentOf, &children, &listed);
      int found = 0;
      for (unsigned int i = 0; i < listed; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(own, children[i], &attributes) && attributes.override_redirect &&
            attributes.map_state == IsViewable && found++ == 0)
          *popup = attributes;
      }
      if (children) XFree(children);
      if (found >= count) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }
  // True once someone else (the menu) holds the keyboard.
  static bool AwaitKeyboardGrab(Display* own) {
    for (int attempt = 0; attempt < 400; ++attempt) {
      const int answer = XGrabKeyboard(own, DefaultRootWindow(own), False, GrabModeAsync,
                                       GrabModeAsync, CurrentTime);
      if (answer == AlreadyGrabbed) return true;
      if (answer == GrabSuccess) XUngrabKeyboard(own, CurrentTime);
      XSync(own, False);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }
  static void TypeKey(Display* own, KeySym keysym) {
    const KeyCode code = XKeysymToKeycode(own, keysym);
    XTestFakeKeyEvent(own, code, True, CurrentTime);
    XTestFakeKeyEvent(own, code, False, CurrentTime);
    XSync(own, False);
  }
  static void Click(Display* own, int x, int y) {
    XTestFakeMotionEvent(own, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(own, Button1, True, CurrentTime);
    XTestFakeButtonEvent(own, Button1, False, CurrentTime);
    XSync(own, False);
  }

  static inline XvfbServer* server = nullptr;
  Display* display = nullptr;
  Window parent = 0;
  EditorTestEffect effect;
  X11TestEditor* editor = nullptr;
  RecordingControl* recorder = nullptr;
  std::vector<std::string> log;
};
