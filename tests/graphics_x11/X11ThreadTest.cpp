// The X11 editor driven by its own thread when the host sends no idle calls: redrawn from
// plug-in values and input alone, the host's first idle call keeping the thread away, and
// closing that joins the thread whatever it is doing.
#include <chrono>
#include <thread>

#include "tests/graphics_x11/Watchdog.h"
#include "tests/graphics_x11/X11EditorFixture.h"

namespace {

using Clock = std::chrono::steady_clock;

class X11Threads : public X11Editor {
 protected:
  // The window's pixel at (x, y) once it equals want, or its last value when that never comes.
  Pixel AwaitPixel(Window window, int x, int y, Pixel want) {
    Pixel seen = 0;
    for (const auto end = Clock::now() + kHungAfter; Clock::now() < end;) {
      XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
      if (image) {
        seen = WindowPixel(image, 0, 0);
        XDestroyImage(image);
      }
      if (seen == want) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return seen;
  }
  static bool AwaitThread(IGraphicsX11* x11) {
    for (const auto end = Clock::now() + kHungAfter; Clock::now() < end;) {
      if (x11->ThreadDriven()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }
  // Whether a menu is up now.
  bool FindPopupNow() {
    X11ErrorTrap trap(display);  // a window listed may be gone when we ask about it
    Window root, parentOf, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parentOf, &children, &count);
    bool found = false;
    for (unsigned int i = 0; i < count && !found; ++i) {
      XWindowAttributes attributes;
      found = XGetWindowAttributes(display, children[i], &attributes) &&
              attributes.override_redirect && attributes.map_state == IsViewable;
    }
    if (children) XFree(children);
    return found;
  }
  static void Close(IGraphicsX11* x11) {
    UnderWatchdog("CloseEditorWindow", [x11] { x11->CloseEditorWindow(); });
  }
};

TEST_F(X11Threads, WithoutIdleCallsTheThreadRedrawsPluginValuesAndInput) {
  editor->SetIdleWait(std::chrono::milliseconds(0));
  ASSERT_NE(editor->OpenEditorWindow(AsParent(parent)), nullptr);
  const Window window = editor->XWindow();
  ASSERT_TRUE(AwaitThread(editor));
  editor->Idle();  // too late: returns at once, the thread keeps the window

  EXPECT_EQ(AwaitPixel(window, 22, 25, kWhite), kWhite);  // the first full redraw, at 0.55
  editor->GetControl(1)->SetValueFromPlugin(0.4);         // as the audio thread would
  EXPECT_EQ(AwaitPixel(window, 22, 25, kGreen), kGreen);
  // Dragging 20 px up: +0.5, the top frame, redrawn by the thread.
  XTestFakeMotionEvent(display, -1, 25, 25, CurrentTime);
  XTestFakeButtonEvent(display, Button1, True, CurrentTime);
  XTestFakeMotionEvent(display, -1, 25, 5, CurrentTime);
  XTestFakeButtonEvent(display, Button1, False, CurrentTime);
  XSync(display, False);
  EXPECT_EQ(AwaitPixel(window, 22, 25, kYellow), kYellow);

  Close(editor);
  EXPECT_EQ(editor->Display(), nullptr);
  EXPECT_EQ(effect.gestures, (std::vector<std::string>{"begin 1", "end 1"}));
  EXPECT_DOUBLE_EQ(effect.GetParam(1)->ToNormalized(), 0.9);
}

TEST_F(X11Threads, EditorsChooseTheirDriverAloneAndEveryCloseJoins) {
  // Three editors at once: one the host idles at once, one it never idles, one it closes while
  // the thread still waits for the first idle call.
  EditorTestEffect effects[2];
  X11TestEditor* others[2];
  for (int i = 0; i < 2; ++i) {
    others[i] = new X11TestEditor(&effects[i]);
    others[i]->AddBackground(kBackgroundId, "background.png");
    effects[i].AttachEditor(others[i]);
    others[i]->SetIdleWait(i == 0 ? kNoThread : std::chrono::milliseconds(0));
    ASSERT_NE(others[i]->OpenEditorWindow(AsParent(parent)), nullptr);
  }
  ASSERT_NE(editor->OpenEditorWindow(AsParent(parent)), nullptr);
  others[0]->Idle();
  Close(editor);
  ASSERT_TRUE(AwaitThread(others[1]));
  EXPECT_FALSE(others[0]->ThreadDriven());
  EXPECT_EQ(AwaitPixel(others[1]->XWindow(), 2, 2, kBlue), kBlue);

  // The host destroys its window under both: the thread's requests fail inside its error trap
  // while the host-driven editor's fail inside its own, and neither ends the process.
  XDestroyWindow(display, parent);
  XSync(display, False);
  for (const auto end = Clock::now() + kHungAfter; others[0]->XWindow() && Clock::now() < end;)
    others[0]->Idle();  // until its window's destruction has reached it
  EXPECT_EQ(others[0]->XWindow(), 0u);
  Close(others[1]);
  Close(others[0]);
  EXPECT_EQ(others[1]->Display(), nullptr);

  // Reopened editors start waiting again; several thread-driven rounds leave nothing behind.
  parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 100, 80, 0, 0, 0);
  XMapWindow(display, parent);
  XSync(display, False);
  for (int round = 0; round < 3; ++round) {
    ASSERT_NE(others[1]->OpenEditorWindow(AsParent(parent)), nullptr);
    ASSERT_TRUE(AwaitThread(others[1])) << round;
  }
  Close(others[1]);
}

// Shows a two-entry menu when pressed and keeps what it answered.
class MenuControl : public IControl {
 public:
  MenuControl() : IControl(nullptr, {0, 40, 10, 48}, -1, {}) {}
  void MouseDown(int, int, const IMouseKeys&) override {
    IMenu menu;
    menu.AddEntry("A");
    menu.AddEntry("B");
    answers.push_back(editor->ShowMenu(&menu, Area()) ? menu.ChosenIndex() : -1);
  }
  bool Draw(IGraphics*) override { return true; }
  IGraphics* editor = nullptr;
  std::vector<int> answers;  // read only once the thread is joined
};

TEST_F(X11Threads, MenusRunOnTheThreadAndClosingEndsAnOpenOne) {
  auto* control = new MenuControl;
  control->editor = editor;
  editor->AddControl(control);
  editor->SetIdleWait(std::chrono::milliseconds(0));
  for (const bool choose : {true, false}) {
    ASSERT_NE(editor->OpenEditorWindow(AsParent(parent)), nullptr);
    ASSERT_TRUE(AwaitThread(editor));
    Click(display, 5, 45);
    XWindowAttributes popup;
    ASSERT_TRUE(FindPopup(display, &popup));
    ASSERT_TRUE(AwaitKeyboardGrab(display));
    if (choose) {
      TypeKey(display, XK_Up);  // wraps to the last entry
      TypeKey(display, XK_Return);
      for (const auto end = Clock::now() + kHungAfter; FindPopupNow() && Clock::now() < end;)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // The host closes with the menu still up (or just gone): the thread leaves it and ends.
    Close(editor);
    EXPECT_FALSE(FindPopupNow());
  }
  EXPECT_EQ(control->answers, (std::vector<int>{1, -1}));  // the second was closed, not chosen
}

}  // namespace
