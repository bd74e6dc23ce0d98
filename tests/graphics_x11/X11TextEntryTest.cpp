// The X11 editor's in-place text entry, typed into through XTest: its window, the filter by
// parameter kind, the length limit, commit on the next tick, and every way it is dropped.
#include "plugin_core/PlugParam.h"
#include "tests/graphics_x11/X11EditorFixture.h"

// After Xlib.h (from the fixture):
#include <X11/XKBlib.h>

namespace {

class X11TextEntry : public X11Editor {
 protected:
  IControl* Knob() { return editor->GetControl(1); }
  // The knob's value prompt over (10, 30, 40, 45): parameter 1's, or an entry of another.
  unsigned long Prompt(int paramIndex = 1) {
    IBounds area{10, 30, 40, 45};
    if (paramIndex == 1)
      editor->PromptForValue(Knob(), effect.GetParam(1), &area);
    else
      editor->ShowTextEntry(Knob(), Knob()->TextStyle(), area, "", effect.GetParam(paramIndex));
    Pump();
    return editor->EntryXWindow();
  }
  // Types printable ASCII, with Shift where the keymap puts the character on the second level.
  void Type(const char* text) {
    const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    for (const char* c = text; *c; ++c) {
      const KeySym keysym = static_cast<unsigned char>(*c);
      const KeyCode code = XKeysymToKeycode(display, keysym);
      const bool shifted = XkbKeycodeToKeysym(display, code, 0, 0) != keysym;
      if (shifted) XTestFakeKeyEvent(display, shift, True, CurrentTime);
      XTestFakeKeyEvent(display, code, True, CurrentTime);
      XTestFakeKeyEvent(display, code, False, CurrentTime);
      if (shifted) XTestFakeKeyEvent(display, shift, False, CurrentTime);
    }
    XSync(display, False);
    XSync(editor->Display(), False);
    editor->DrainEvents();
  }
  void Stroke(KeySym keysym) {
    const KeyCode code = XKeysymToKeycode(display, keysym);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XSync(display, False);
    XSync(editor->Display(), False);
    editor->DrainEvents();
  }
  void Tick() { Pump(true); }
};

TEST_F(X11TextEntry, TypedValuesCommitOnTheNextTickThroughTheKindsFilter) {
  Open();
  Knob()->TextStyle().entryBackground = {255, 10, 20, 30};
  Window focus;
  int revert;
  XSetInputFocus(display, parent, RevertToParent, CurrentTime);
  XSync(display, False);
  const unsigned long entry = Prompt();
  ASSERT_NE(entry, 0u);
  Window root, parentOf, *children = nullptr;
  unsigned int count = 0;
  XQueryTree(display, entry, &root, &parentOf, &children, &count);
  if (children) XFree(children);
  EXPECT_EQ(parentOf, editor->XWindow());
  XWindowAttributes attributes;
  XGetWindowAttributes(display, entry, &attributes);
  EXPECT_EQ(attributes.x, 10);
  EXPECT_EQ(attributes.width, 31);
  EXPECT_EQ(attributes.height, 16);
  EXPECT_EQ(editor->EntryText(), "1.0");
  XGetInputFocus(display, &focus, &revert);
  EXPECT_EQ(focus, entry);
  EXPECT_EQ(editor->EntryStateNow(), IGraphicsX11::EntryIdle);  // the opening focus is not seen
  XImage* image = XGetImage(display, entry, 29, 14, 1, 1, AllPlanes, ZPixmap);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(WindowPixel(image, 0, 0), 0xFF0A141Eu);  // the style's entry background
  XDestroyImage(image);

  // Parameter 1 is a Double of -10..10 with one decimal; parameter 8 a Bool, whose entry text
  // is looked up among its value texts ("1" is none of them: 0).
  // The whole text starts selected, so typing replaces it; at most 7 characters.
  const struct {
    int param;
    const char* typed;
    bool negate;
    const char* shown;
    double value;
  } cases[] = {
      {1, "-1.5", false, "-1.5", -1.5},   {1, "2.5", true, "2.5", -2.5},
      {1, "7x.5e1", false, "7.51", 7.51}, {1, "a", false, "7.5", 7.5},
      {1, "-", false, "-", 0.0},          {1, "99", false, "99", 10.0},
      {1, "+3a", false, "+3", 3.0},       {1, "123456789", false, "1234567", 10.0},
      {8, "1", false, "1", 0.0},
  };
  for (const auto& c : cases) {
    effect.GetParam(c.param)->SetNegateDisplay(c.negate);
    if (!editor->EntryXWindow()) {
      ASSERT_NE(Prompt(c.param), 0u) << c.typed;
    }
    const double before = effect.GetParam(c.param)->Value();
    Type(c.typed);
    EXPECT_TRUE(Await([&] { return editor->EntryText() == c.shown; })) << c.typed;
    Stroke(XK_Return);
    EXPECT_TRUE(Await([&] { return editor->EntryStateNow() == IGraphicsX11::EntryCommit; }))
        << c.typed;
    EXPECT_EQ(effect.GetParam(c.param)->Value(), before) << c.typed;  // not at once
    Tick();
    EXPECT_EQ(editor->EntryXWindow(), 0u) << c.typed;
    EXPECT_NEAR(effect.GetParam(c.param)->Value(), c.value, 1e-9) << c.typed;
    effect.GetParam(c.param)->SetNegateDisplay(false);
  }
  XGetInputFocus(display, &focus, &revert);
  EXPECT_EQ(focus, parent);  // back to the host's window with the entry gone
}

TEST_F(X11TextEntry, EscapeFocusLossPressesAndTheWheelDropItUnapplied) {
  Open();
  const double value = effect.GetParam(1)->Value();
  struct Case {
    const char* name;
    std::function<void()> drop;
    bool atOnce;       // gone before the next tick
    bool pressPassed;  // the editor's control saw the press
  };
  const Case cases[] = {
      {"Escape", [&] { Stroke(XK_Escape); }, false, false},
      {"focus lost",
       [&] {
         XSetInputFocus(display, parent, RevertToParent, CurrentTime);
         Pump();
       },
       false, false},
      {"press while not editing", [&] { Press(50, 10, Button1); }, true, true},
      {"press while editing",
       [&] {
         // The focus leaves (Cancel) and comes back (Editing), as when the user returns.
         XSetInputFocus(display, editor->XWindow(), RevertToParent, CurrentTime);
         XSetInputFocus(display, editor->EntryXWindow(), RevertToParent, CurrentTime);
         Pump();
         EXPECT_EQ(editor->EntryStateNow(), IGraphicsX11::EntryEditing);
         Tick();  // the timer waits while editing
         EXPECT_EQ(editor->EntryStateNow(), IGraphicsX11::EntryEditing);
         Press(50, 10, Button1);
       },
       false, false},
      {"wheel", [&] { Press(50, 10, Button4); }, false, false},
  };
  for (const Case& c : cases) {
    ASSERT_NE(Prompt(), 0u) << c.name;
    Type("3");
    ASSERT_TRUE(Await([&] { return editor->EntryText() == "3"; })) << c.name;
    log.clear();
    c.drop();
    EXPECT_TRUE(Await([&] {
      return c.atOnce ? editor->EntryXWindow() == 0
                      : editor->EntryStateNow() == IGraphicsX11::EntryCancel;
    })) << c.name;
    Release(Button1);
    EXPECT_EQ(editor->EntryXWindow() == 0, c.atOnce) << c.name;
    Tick();
    EXPECT_EQ(editor->EntryXWindow(), 0u) << c.name;
    EXPECT_EQ(editor->EntryStateNow(), IGraphicsX11::EntryIdle) << c.name;
    EXPECT_EQ(effect.GetParam(1)->Value(), value) << c.name;
    EXPECT_EQ(!log.empty() && log[0] == "rec down 50,10", c.pressPassed) << c.name;
  }
  // Closing the editor with an entry open takes the entry with it, unapplied.
  ASSERT_NE(Prompt(), 0u);
  Type("5");
  ASSERT_TRUE(Await([&] { return editor->EntryText() == "5"; }));
  editor->CloseEditorWindow();
  EXPECT_EQ(editor->EntryXWindow(), 0u);
  EXPECT_EQ(effect.GetParam(1)->Value(), value);
}

}  // namespace
