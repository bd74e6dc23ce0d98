// Pop-up menus (numbering over submenus, labels, flags, resolution, and a real modal menu
// chosen from the keyboard), the file dialog's filter, the folder queries, and the real file and
// colour dialogs answered while they are up.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "graphics_win/FileFilter.h"
#include "graphics_win/WinMenu.h"
#include "tests/graphics_win/WinEditorSupport.h"

namespace {

std::string Label(HMENU menu, int position) {
  char text[128] = {};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

// "a", "b" with the submenu "b1", "b2", "c".
void FillNestedMenu(IMenu* menu) {
  menu->AddEntry("a", IMenuEntry::MenuChecked);
  IMenuEntry* b = menu->AddEntry("b");
  b->submenu = new IMenu;
  b->submenu->AddEntry("b1", IMenuEntry::MenuDisabled);
  b->submenu->AddEntry("b2");
  menu->AddEntry("c", IMenuEntry::MenuInactive);
}

TEST(WinMenu, NumbersTheTreeDepthFirstAndResolvesItBack) {
  IMenu menu;
  FillNestedMenu(&menu);
  int counter = 0;
  HMENU popup = BuildWinMenu(&menu, &counter);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(counter, 5);
  ASSERT_EQ(GetMenuItemCount(popup), 3);
  HMENU sub = GetSubMenu(popup, 1);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(GetMenuItemID(popup, 0), 0u);
  EXPECT_EQ(GetMenuItemID(popup, 2), 2u);
  EXPECT_EQ(GetMenuItemID(sub, 0), 3u);
  EXPECT_EQ(GetMenuItemID(sub, 1), 4u);
  EXPECT_EQ(Label(popup, 1), "b");
  EXPECT_TRUE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(sub, 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(GetMenuState(popup, 2, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED), UINT(MF_DISABLED));
  DestroyMenu(popup);

  const struct {
    int id;
    IMenu* menu;
    int index;
  } kIds[] = {{0, &menu, 0},
              {1, &menu, 1},
              {2, &menu, 2},
              {3, menu.GetEntry(1)->submenu, 0},
              {4, menu.GetEntry(1)->submenu, 1},
              {5, nullptr, -1},
              {-1, nullptr, -1}};
  for (const auto& row : kIds) {
    int resolveCounter = 0, index = -1;
    EXPECT_EQ(ResolveWinMenuId(&menu, row.id, &resolveCounter, &index), row.menu) << row.id;
    EXPECT_EQ(index, row.index) << row.id;
  }
}

TEST(WinMenu, PrefixesNumberTheLabelsAndSeparatorsTakeAnId) {
  const struct {
    int prefix;
    const char* ninth;
  } kPrefixes[] = {{0, "ninth"}, {1, "9: ninth"}, {2, "09: ninth"}, {3, "009: ninth"}};
  for (const auto& row : kPrefixes) {
    IMenu menu(row.prefix);
    for (int i = 1; i <= 10; ++i)
      menu.AddEntry(i == 9 ? "ninth" : "x", i == 2 ? IMenuEntry::MenuSeparator : 0);
    int counter = 0;
    HMENU popup = BuildWinMenu(&menu, &counter);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Label(popup, 8), row.ninth);
    EXPECT_TRUE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(popup, 8), 8u);
    DestroyMenu(popup);
  }
  // A long text keeps its whole label.
  const std::string longText(300, 'w');
  IMenu menu(3);
  menu.AddEntry(longText.c_str());
  int counter = 0;
  HMENU popup = BuildWinMenu(&menu, &counter);
  char text[400] = {};
  GetMenuStringA(popup, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_EQ(std::string(text), "001: " + longText);
  DestroyMenu(popup);
}

// The pop-up menu's window once it is up; until then the timer comes back.
HWND UpMenu(UINT_PTR timer) {
  HWND menuWindow = FindWindowA(MAKEINTATOM(0x8000), nullptr);  // the pop-up menu's class
  if (menuWindow) KillTimer(nullptr, timer);
  return menuWindow;
}

// Chooses the second submenu entry of the nested menu from the keyboard once the menu is up.
void CALLBACK ChooseB2(HWND, UINT, UINT_PTR timer, DWORD) {
  if (HWND menuWindow = UpMenu(timer))
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN})
      PostMessageA(menuWindow, WM_KEYDOWN, key, 0);
}

// While the menu is up, the host closes the editor, posts its own window a command whose id is
// also one of the menu's, and the menu goes away.
IGraphicsWin* closingEditor = nullptr;
HWND closingHost = nullptr;
void CALLBACK CloseUnderTheMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!UpMenu(timer)) return;
  closingEditor->CloseEditorWindow();
  PostMessageA(closingHost, WM_COMMAND, MAKEWPARAM(1, 0), 0);
  EndMenu();
}

TEST_F(WinEditorTest, ShowMenuAnswersTheChosenSubmenuEntryAndNeverAHostsCommand) {
  Open();
  IMenu menu;
  FillNestedMenu(&menu);
  SetForegroundWindow(parent);
  SetTimer(nullptr, 0, 100, ChooseB2);
  IMenu* chosen = editor->ShowMenu(&menu, {10, 10, 30, 20});
  EXPECT_EQ(chosen, menu.GetEntry(1)->submenu);
  EXPECT_EQ(menu.GetEntry(1)->submenu->ChosenIndex(), 1);
  EXPECT_EQ(menu.ChosenIndex(), -1);
  EXPECT_EQ(editor->CaptureIndex(), -1);

  // Closed under the menu: nothing is chosen and the host's command stays the host's.
  Open();
  closingEditor = editor;
  closingHost = parent;
  SetTimer(nullptr, 0, 10, CloseUnderTheMenu);
  EXPECT_EQ(editor->ShowMenu(&menu, {10, 10, 30, 20}), nullptr);
  EXPECT_EQ(menu.ChosenIndex(), -1);
  MSG command;
  ASSERT_TRUE(PeekMessageA(&command, parent, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(command.wParam, MAKEWPARAM(1, 0));
}

TEST(FileFilter, JoinsExtensionsAndRefusesWhatIsOverTheLimits) {
  FileFilter filter;
  ASSERT_TRUE(BuildFileFilter("fxp fxb", &filter));
  EXPECT_EQ(std::memcmp(filter.filter, "*.fxp;*.fxb\0*.fxp;*.fxb\0\0", 25), 0);
  EXPECT_STREQ(filter.defaultExtension, "fxp");
  ASSERT_TRUE(BuildFileFilter("  wav   ", &filter));
  EXPECT_EQ(std::memcmp(filter.filter, "*.wav\0*.wav\0\0", 13), 0);

  // 42 extensions of one letter make "*.a;" x 41 + "*.a" = 167 characters; 31 make 123.
  std::string many, fewer;
  for (int i = 0; i < 42; ++i)
    many += "a ";
  for (int i = 0; i < 31; ++i)
    fewer += "a ";
  const std::string pattern126 = "a " + std::string(120, 'p');  // "*.a;*." + 120 = 126
  const struct {
    std::string extensions;
    bool built;
  } kLimits[] = {{"", false},
                 {"   ", false},
                 {many, false},
                 {fewer, true},
                 {pattern126, true},
                 {pattern126 + "p", false},
                 {std::string(15, 'e'), true},
                 {std::string(16, 'e'), false},
                 {std::string(16, 'e') + " x", false}};
  for (const auto& row : kLimits) {
    std::memset(filter.filter, 'z', sizeof filter.filter);
    EXPECT_EQ(BuildFileFilter(row.extensions.c_str(), &filter), row.built) << row.extensions;
    EXPECT_EQ(filter.filter[0] == '\0', !row.built) << row.extensions;
  }
  EXPECT_FALSE(BuildFileFilter(nullptr, &filter));
}

TEST_F(WinEditorTest, FoldersEndWithABackslashAndDialogsNeedAWindow) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string expected(path);
  expected.resize(expected.rfind('\\') + 1);
  TextBuffer module, host, desktop;
  editor->ModuleFolder(&module);
  editor->HostFolder(&host);
  editor->DesktopFolder(&desktop);
  EXPECT_EQ(std::string(module.Get()), expected);
  EXPECT_EQ(std::string(host.Get()), expected);
  EXPECT_GT(desktop.Length(), 0);
  // Without a window: no file is chosen and no colour picked.
  TextBuffer file("old.fxp"), folder;
  editor->ChooseFile(&file, 1, &folder, "fxp");
  EXPECT_EQ(file.Length(), 0);
  IArgb colour{1, 2, 3, 4};
  EXPECT_FALSE(editor->PickColour(&colour, "colour"));
  EXPECT_EQ(colour.red, 2);
}

// What the user does in the next modal dialog: type a file name (or leave it) and confirm, or
// cancel; and the dialog's title as the user saw it.
struct DialogScript {
  const char* fileName = nullptr;
  bool confirm = true;
  std::string title;
};
DialogScript script;

void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowA(MAKEINTATOM(0x8002), nullptr);  // the dialog class
  if (!dialog) return;                                      // not up yet: the timer comes back
  KillTimer(nullptr, timer);
  char title[128] = {};
  GetWindowTextA(dialog, title, sizeof title);
  script.title = title;
  if (script.fileName) {
    // The file name box of either dialog style.
    SetDlgItemTextA(dialog, 0x47C, script.fileName);
    SetDlgItemTextA(dialog, 0x480, script.fileName);
  }
  PostMessageA(dialog, WM_COMMAND, script.confirm ? IDOK : IDCANCEL, 0);
}

TEST_F(WinEditorTest, FileAndColourDialogsAnswerWhatTheUserChose) {
  Open();
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  const std::string name =
      std::string(temp) + "ferrix-dialog-" + std::to_string(GetCurrentProcessId());
  // Saving: the default extension is the first one; the folder is where the file went.
  TextBuffer file("old.fxp"), folder;
  script = {name.c_str(), true, ""};
  SetTimer(nullptr, 0, 50, Answer);
  editor->ChooseFile(&file, 1, &folder, "fxp fxb");
  EXPECT_EQ(std::string(file.Get()), name + ".fxp");
  EXPECT_EQ(std::string(folder.Get()), temp);
  // Cancelled: both stay.
  script = {nullptr, false, ""};
  SetTimer(nullptr, 0, 50, Answer);
  editor->ChooseFile(&file, 0, &folder, "fxp");
  EXPECT_EQ(std::string(file.Get()), name + ".fxp");
  EXPECT_EQ(std::string(folder.Get()), temp);

  // The colour dialog is titled with the prompt; confirming answers the colour it started with,
  // alpha untouched; cancelling answers false.
  IArgb colour{7, 10, 200, 30};
  script = {nullptr, true, ""};
  SetTimer(nullptr, 0, 50, Answer);
  EXPECT_TRUE(editor->PickColour(&colour, "Meter colour"));
  EXPECT_EQ(script.title, "Meter colour");
  EXPECT_EQ(colour.alpha, 7);
  EXPECT_EQ(colour.red, 10);
  EXPECT_EQ(colour.green, 200);
  EXPECT_EQ(colour.blue, 30);
  script = {nullptr, false, ""};
  SetTimer(nullptr, 0, 50, Answer);
  EXPECT_FALSE(editor->PickColour(&colour, nullptr));

  // Message boxes: a confirmed message, and a web address whose confirmation is refused (nothing
  // is opened).
  script = {nullptr, true, ""};
  SetTimer(nullptr, 0, 50, Answer);
  EXPECT_EQ(editor->ShowMessage("text", "Caption", MB_OK), IDOK);
  EXPECT_EQ(script.title, "Caption");
  script = {nullptr, false, ""};
  SetTimer(nullptr, 0, 50, Answer);
  EXPECT_FALSE(editor->OpenWebAddress("http://localhost/", "Maker", "Open it?", nullptr));
  EXPECT_EQ(script.title, "Maker");
}

}  // namespace
