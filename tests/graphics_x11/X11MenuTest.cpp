// The X11 editor's pop-up menus: chosen by keyboard and pointer through submenus, greyed and
// inactive entries and separators never chosen, check marks drawn, Escape and a press outside
// dismissing; the Yes/No menu that confirms a web address; and a value prompt's menu opened in
// a host's idle call, which leaves the host's thread free while it is up.
#include <memory>

#include "graphics/IBitmapControl.h"
#include "tests/graphics_x11/Watchdog.h"
#include "tests/graphics_x11/X11EditorFixture.h"

namespace {

class X11Menus : public X11Editor {
 protected:
  IMenu* Show(IMenu* menu, const std::function<void(Display*, const XWindowAttributes&)>& user) {
    IMenu* chosen = nullptr;
    WhileModal([&] { chosen = editor->ShowMenu(menu, {10, 10, 30, 20}); }, user);
    return chosen;
  }
  static void Keys(Display* own, std::initializer_list<KeySym> keys) {
    for (KeySym key : keys)
      TypeKey(own, key);
  }
  // Three entries, the second opening "Sub 1" and "Sub 2".
  static std::unique_ptr<IMenu> ThreeWithSubmenu() {
    auto menu = std::make_unique<IMenu>();
    menu->AddEntry("One");
    IMenuEntry* two = menu->AddEntry("Two");
    two->submenu = new IMenu;
    two->submenu->AddEntry("Sub 1");
    two->submenu->AddEntry("Sub 2");
    menu->AddEntry("Three");
    return menu;
  }
};

TEST_F(X11Menus, KeysAndPointerChooseEntriesOfTheMenuAndItsSubmenu) {
  Open();
  struct Case {
    const char* name;
    std::function<void(Display*, const XWindowAttributes&)> user;
    bool fromSubmenu;
    int index;
  };
  const Case cases[] = {
      {"keys into the submenu",
       [](Display* own, const XWindowAttributes&) {
         Keys(own, {XK_Down, XK_Down, XK_Right, XK_Down, XK_Return});
       },
       true, 1},
      {"keys wrap upwards",
       [](Display* own, const XWindowAttributes&) {
         Keys(own, {XK_Up, XK_Return});
       },
       false, 2},
      {"pointer on the third row",
       [](Display* own, const XWindowAttributes& popup) {
         Click(own, popup.x + 20, popup.y + 1 + (popup.height - 2) * 5 / 6);
       },
       false, 2},
      {"pointer opens the submenu, then chooses in it",
       [](Display* own, const XWindowAttributes& popup) {
         XTestFakeMotionEvent(own, -1, popup.x + 20, popup.y + popup.height / 2, CurrentTime);
         XSync(own, False);
         XWindowAttributes first;
         if (FindPopup(own, &first, 2))      // the submenu is up
           Keys(own, {XK_Down, XK_Return});  // its first entry, by key
       },
       true, 0},
  };
  for (const Case& c : cases) {
    std::unique_ptr<IMenu> menu = ThreeWithSubmenu();
    IMenu* submenu = menu->GetEntry(1)->submenu;
    IMenu* chosen = Show(menu.get(), c.user);
    EXPECT_EQ(chosen, c.fromSubmenu ? submenu : menu.get()) << c.name;
    ASSERT_NE(chosen, nullptr) << c.name;
    EXPECT_EQ(chosen->ChosenIndex(), c.index) << c.name;
    EXPECT_EQ((c.fromSubmenu ? menu.get() : submenu)->ChosenIndex(), -1) << c.name;
  }
}

TEST_F(X11Menus, GreyedInactiveAndSeparatorRowsAreNeverChosenAndChecksAreDrawn) {
  Open();
  IMenu menu;
  menu.AddEntry("Greyed", IMenuEntry::MenuDisabled);
  menu.AddEntry("", IMenuEntry::MenuSeparator);
  menu.AddEntry("Checked", IMenuEntry::MenuChecked);
  menu.AddEntry("Inactive", IMenuEntry::MenuInactive);
  int inkInCheckColumn[2] = {0, 0};  // rows "Checked" and "Inactive"
  IMenu* chosen = Show(&menu, [&](Display* own, const XWindowAttributes& popup) {
    // Text rows share one height; the separator is 7 px; a 1 px frame.
    const int row = (popup.height - 2 - 7) / 3;
    const int rowTops[2] = {1 + row + 7, 1 + 2 * row + 7};
    for (int r = 0; r < 2; ++r) {
      XImage* image = XGetImage(own, DefaultRootWindow(own), popup.x + 2, popup.y + rowTops[r], 16,
                                row, AllPlanes, ZPixmap);
      for (int y = 0; image && y < row; ++y)
        for (int x = 0; x < 16; ++x)
          inkInCheckColumn[r] += (XGetPixel(image, x, y) & 0xFFFFFF) < 0x404040;
      if (image) XDestroyImage(image);
    }
    Click(own, popup.x + 30, popup.y + 1 + row / 2);           // greyed: stays open
    Click(own, popup.x + 30, popup.y + 1 + row + 3);           // the separator
    Click(own, popup.x + 30, popup.y + rowTops[1] + row / 2);  // inactive
    Keys(own, {XK_Down, XK_Down, XK_Return});                  // the only reachable row, twice
  });
  EXPECT_GT(inkInCheckColumn[0], 8);
  EXPECT_EQ(inkInCheckColumn[1], 0);
  ASSERT_EQ(chosen, &menu);
  EXPECT_EQ(menu.ChosenIndex(), 2);
}

TEST_F(X11Menus, EscapeOrAPressOutsideDismissesAndTheEditorStillTakesInput) {
  Open();
  const std::function<void(Display*, const XWindowAttributes&)> dismissals[] = {
      [](Display* own, const XWindowAttributes&) {
        Keys(own, {XK_Down, XK_Escape});
      },
      [](Display* own, const XWindowAttributes&) { Click(own, 300, 230); },
      [](Display* own, const XWindowAttributes&) { Click(own, 50, 5); },  // on the editor
  };
  for (const auto& dismiss : dismissals) {
    std::unique_ptr<IMenu> menu = ThreeWithSubmenu();
    EXPECT_EQ(Show(menu.get(), dismiss), nullptr);
    EXPECT_EQ(menu->ChosenIndex(), -1);
  }
  log.clear();
  Press(50, 10, Button1);  // grabs are gone: the editor's own window gets the press again
  Release(Button1);
  EXPECT_EQ(log, (std::vector<std::string>{"rec down 50,10", "rec up 50,10"}));
}

// The host's idle calls return while the menu is up, and each ending reaches the editor the way
// a modal menu's would: a choice sets the value in a gesture of its own, a press outside is not a
// click, closing takes the menu down and frees the pointer.
TEST_F(X11Menus, AValueMenuOpenedInAnIdleCallLeavesTheHostsThreadFree) {
  auto* bypass = new IBitmapControl(&effect, 40, 30, 8, editor->LoadImage(kKnobId, "knob.png", 4));
  bypass->SetPromptDisabled(false);
  editor->AddControl(bypass);
  Open();
  const auto idleUntil = [&](const std::function<bool()>& done) {
    for (int attempt = 0; attempt < 4000 && !done(); ++attempt) {
      UnderWatchdog("IdleStep", [&] { editor->IdleStep(false); });
      XSync(display, False);
      if (!done()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
  };
  const auto popupUp = [&] {
    XWindowAttributes popup;
    return FindPopup(display, &popup, 1, 1);
  };
  const auto openMenu = [&] {
    XTestFakeMotionEvent(display, -1, 45, 35, CurrentTime);
    XTestFakeButtonEvent(display, Button3, True, CurrentTime);
    XTestFakeButtonEvent(display, Button3, False, CurrentTime);
    return idleUntil(popupUp) && AwaitKeyboardGrab(display);
  };

  ASSERT_TRUE(openMenu());
  Keys(display, {XK_Down, XK_Down, XK_Return});  // "on"
  ASSERT_TRUE(idleUntil([&] { return effect.GetParam(8)->Value() == 1.0 && !popupUp(); }));
  EXPECT_EQ(effect.gestures, (std::vector<std::string>{"begin 8", "end 8", "begin 8", "end 8"}));
  EXPECT_EQ(effect.editorPushes, 1);

  ASSERT_TRUE(openMenu());
  Click(display, 300, 230);  // outside: dismissed, and the release goes with the press
  ASSERT_TRUE(idleUntil([&] { return !popupUp() && PointerFree(); }));
  log.clear();
  Press(50, 10, Button1);
  Release(Button1);
  EXPECT_EQ(log, (std::vector<std::string>{"rec down 50,10", "rec up 50,10"}));

  ASSERT_TRUE(openMenu());
  UnderWatchdog("CloseEditorWindow", [&] { editor->CloseEditorWindow(); });
  EXPECT_FALSE(popupUp());
  EXPECT_TRUE(PointerFree());
  EXPECT_EQ(effect.GetParam(8)->Value(), 1.0);
  EXPECT_EQ(effect.editorPushes, 1);
}

}  // namespace
