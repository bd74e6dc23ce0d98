// The Windows editor window driven through real messages: opening inside a framed parent,
// reopening in place, the shared window class, the redraw timer and painting, pointer input with
// its gestures, wheel, double-click, and the key table.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "graphics_win/WinKeyNumber.h"
#include "tests/graphics_win/WinEditorSupport.h"

namespace {

constexpr Pixel kYellow = 0xFFFFFF00;

bool ClassRegistered() {
  WNDCLASSA found;
  return GetClassInfoA(GetModuleHandleA(nullptr), IGraphicsWin::kClassName, &found) != 0;
}

TEST_F(WinEditorTest, OpensAsAChildShowingTheCanvasAndReopensInPlace) {
  HWND window = Open();
  char name[64] = {}, title[64] = {};
  GetClassNameA(window, name, sizeof name);
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(name, "EffectEditorWndClass");
  EXPECT_STREQ(title, "EffectEditor");
  EXPECT_EQ(GetParent(window), parent);
  EXPECT_EQ(editor->FindMainWindow(), parent);  // the top-level window message boxes belong to
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 64);
  EXPECT_EQ(client.bottom, 48);
  // Background blue; the knob at 0.55 shows frame 2 (white) on its left half and lets the
  // background through its clear right half; every pixel is the canvas's.
  EXPECT_EQ(WindowPixel(2, 2), kBlue);
  EXPECT_EQ(WindowPixel(22, 25), kWhite);
  EXPECT_EQ(WindowPixel(27, 25), kBlue);
  int differing = 0;
  for (int y = 0; y < 48; y += 3)
    for (int x = 0; x < 64; x += 3)
      differing += WindowPixel(x, y) != CanvasPixel(x, y);
  EXPECT_EQ(differing, 0);
  // Printed while its host window is hidden (as a capture does): the canvas too.
  ShowWindow(parent, SW_HIDE);
  SysBitmap print(64, 48);
  ASSERT_TRUE(PrintWindow(window, static_cast<HDC>(print.SystemDC()), 0));
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      differing += (0xFF000000u | print.Bits()[y * print.RowSpan() + x]) != CanvasPixel(x, y);
  EXPECT_EQ(differing, 0);
  ShowWindow(parent, SW_SHOW);

  // Moved and resized by the host, then opened again without a close: a new window at the same
  // place in the parent's client area (the parent's frame does not shift it) and of the same size.
  SetWindowPos(window, nullptr, 7, 9, 50, 40, SWP_NOZORDER);
  HWND again = Open();
  EXPECT_FALSE(IsWindow(window));
  RECT rect;
  GetWindowRect(again, &rect);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 7);
  EXPECT_EQ(rect.top, 9);
  EXPECT_EQ(rect.right - rect.left, 50);
  EXPECT_EQ(rect.bottom - rect.top, 40);
  EXPECT_EQ(IGraphicsWin::WindowClassUsers(), 1);
  editor->CloseEditorWindow();
  EXPECT_FALSE(IsWindow(again));
  EXPECT_EQ(editor->WindowHandle(), nullptr);
  EXPECT_FALSE(ClassRegistered());
}

TEST_F(WinEditorTest, EditorsShareTheClassUntilTheLastWindowGoes) {
  {
    EditorTestEffect otherEffect;
    auto* other = new WinTestEditor(&otherEffect);
    otherEffect.AttachEditor(other);
    EXPECT_FALSE(ClassRegistered());
    Open();
    ASSERT_NE(other->OpenEditorWindow(parent), nullptr);
    EXPECT_EQ(IGraphicsWin::WindowClassUsers(), 2);
    editor->CloseEditorWindow();
    EXPECT_TRUE(ClassRegistered());
    editor->CloseEditorWindow();  // closing twice counts once
    EXPECT_EQ(IGraphicsWin::WindowClassUsers(), 1);
    // The host destroying its window takes the editors' with it: each editor forgets its window
    // and the count drops; the class, still in use by the dying window then, goes with the
    // editors at the latest (before the module could be unloaded).
    ASSERT_NE(editor->OpenEditorWindow(parent), nullptr);
    DestroyWindow(parent);
    parent = nullptr;
    EXPECT_EQ(editor->WindowHandle(), nullptr);
    EXPECT_EQ(other->WindowHandle(), nullptr);
    EXPECT_EQ(IGraphicsWin::WindowClassUsers(), 0);
    other->CloseEditorWindow();
    EXPECT_EQ(IGraphicsWin::WindowClassUsers(), 0);
  }
  EXPECT_FALSE(ClassRegistered());
}

TEST_F(WinEditorTest, MessagesForAnotherOrAClosedEditorReachOnlyTheDefaultProcedure) {
  HWND window = Open();
  log.clear();
  // A window of the class whose editor has moved on to another window: its input is not the
  // editor's. (The class's procedure reads the editor from the user data.)
  HWND stray = CreateWindowExA(0, IGraphicsWin::kClassName, "", WS_CHILD, 0, 0, 64, 48, parent,
                               nullptr, GetModuleHandleA(nullptr), editor);
  ASSERT_NE(stray, nullptr);
  SendMessageA(stray, WM_LBUTTONDOWN, MK_LBUTTON, At(50, 10));
  SendMessageA(stray, WM_KEYDOWN, 0x41, 0);
  EXPECT_TRUE(log.empty());
  KillTimer(stray, IGraphicsWin::kTimerId);
  SetWindowLongPtrA(stray, GWLP_USERDATA, 0);
  DestroyWindow(stray);
  // Posted before the close, delivered after it: dropped with the window.
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(50, 10));
  editor->CloseEditorWindow();
  Pump();
  EXPECT_TRUE(log.empty());
}

TEST_F(WinEditorTest, TimerRepaintsOnlyWhatIsDirtyAndLeavesAQuietWindowAlone) {
  HWND window = Open();
  // Something invalid in the window that no control asked for: a tick with nothing dirty does not
  // touch the window, so it stays invalid.
  RECT corner{0, 0, 4, 4};
  InvalidateRect(window, &corner, FALSE);
  log.clear();
  Tick();
  RECT update;
  EXPECT_TRUE(GetUpdateRect(window, &update, FALSE));
  EXPECT_TRUE(log.empty());
  // A dirty control is redrawn and painted at once, which also validates what was pending.
  editor->GetControl(1)->SetValueFromPlugin(1.0);
  Tick();
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
  EXPECT_EQ(WindowPixel(22, 25), kYellow);
  // The window's own timer does the same.
  editor->GetControl(1)->SetValueFromPlugin(0.55);
  for (DWORD start = GetTickCount(); editor->GetControl(1)->NeedsRedraw();) {
    ASSERT_LT(GetTickCount() - start, 20000u) << "no timer tick";
    Pump();
    Sleep(5);
  }
  EXPECT_EQ(WindowPixel(22, 25), kWhite);

  // An editor without controls presents nothing, yet its paint still validates the window (an
  // invalid one would bring the paint message back for ever).
  EditorTestEffect emptyEffect;
  auto* empty = new WinTestEditor(&emptyEffect);
  emptyEffect.AttachEditor(empty);
  auto* emptyWindow = static_cast<HWND>(empty->OpenEditorWindow(parent));
  ASSERT_NE(emptyWindow, nullptr);
  InvalidateRect(emptyWindow, nullptr, FALSE);
  UpdateWindow(emptyWindow);
  EXPECT_FALSE(GetUpdateRect(emptyWindow, &update, FALSE));
}

TEST_F(WinEditorTest, DragOverTheKnobMovesItsParameterInsideOneGesture) {
  HWND window = Open();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, At(25, 25));
  EXPECT_EQ(GetCapture(), window);
  Send(WM_MOUSEMOVE, MK_LBUTTON, At(25, 25));  // no movement: nothing
  Send(WM_MOUSEMOVE, MK_LBUTTON, At(25, 15));  // 10 px up: +0.25
  EXPECT_DOUBLE_EQ(effect.GetParam(1)->ToNormalized(), 0.8);
  Send(WM_MOUSEMOVE, MK_LBUTTON, At(90, -40));  // outside the window: still captured
  Send(WM_LBUTTONUP, 0, At(90, -40));
  EXPECT_DOUBLE_EQ(effect.GetParam(1)->Value(), 10.0);
  EXPECT_EQ(effect.gestures, (std::vector<std::string>{"begin 1", "end 1"}));
  EXPECT_EQ(GetCapture(), nullptr);
  // Without the capture a move with a button down drags nothing.
  Send(WM_MOUSEMOVE, MK_LBUTTON, At(25, 40));
  EXPECT_DOUBLE_EQ(effect.GetParam(1)->Value(), 10.0);

  // A double-click restores the value the plug-in first gave, in a gesture of its own: the
  // release after it ends nothing.
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, At(25, 25));
  Send(WM_LBUTTONUP, 0, At(25, 25));
  EXPECT_DOUBLE_EQ(effect.GetParam(1)->ToNormalized(), 0.55);
  EXPECT_EQ(effect.gestures, (std::vector<std::string>{"begin 1", "end 1", "begin 1", "end 1"}));
  Tick();
  EXPECT_EQ(WindowPixel(22, 25), kWhite);
}

TEST_F(WinEditorTest, WheelAndPointerReachTheControlUnderThePointer) {
  HWND window = Open();
  RECT rect;
  GetWindowRect(window, &rect);
  log.clear();
  // The wheel's position is on the screen; 240 is two notches, -120 one back, 100 none.
  for (int delta : {240, -120, 100})
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<int16_t>(delta))),
         At(rect.left + 50, rect.top + 10));
  Send(WM_RBUTTONDOWN, MK_RBUTTON, At(50, 10));
  Send(WM_RBUTTONUP, 0, At(51, 11));
  Send(WM_MBUTTONDOWN, MK_MBUTTON, At(52, 12));
  EXPECT_EQ(GetCapture(), window);
  Send(WM_MBUTTONUP, 0, At(53, 13));  // the middle release frees the pointer too
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"rec wheel 2,0", "rec wheel -1,0", "rec wheel 0,0",
                                           "rec down 50,10", "rec up 51,11", "rec down 52,12",
                                           "rec up 53,13"}));
}

TEST_F(WinEditorTest, KeysAreNumberedByTheTableAndUnmappedOnesPassOn) {
  const struct {
    uint64_t code;
    int number;
  } kKeys[] = {{0x20, 0},  {0x26, 1},  {0x28, 2},  {0x25, 3},  {0x27, 4},  {0x30, 5},
               {0x39, 14}, {0x41, 15}, {0x5A, 40}, {0x61, 15}, {0x7A, 40}, {0x70, 30},
               {0x0D, -1}, {0x2F, -1}, {0x3A, -1}, {0x40, -1}, {0x5B, -1}, {0x60, -1},
               {0x7B, -1}, {0x21, -1}, {0x1B, -1}, {0x141, -1}};
  for (const auto& key : kKeys)
    EXPECT_EQ(WinKeyNumber(key.code), key.number) << key.code;

  // Through the window: the pointer is far outside the editor, so the background's fallback
  // control takes the mapped keys; unmapped ones never reach it.
  auto* fallback = new RecordingControl(&effect, {}, -1, &log, "fallback");
  editor->SetKeyFallbackControl(fallback);
  HWND window = Open();
  SetCursorPos(1000, 740);
  log.clear();
  for (UINT code : {0x20u, 0x61u, 0x0Du, 0x5Au, 0x7Bu})
    Send(WM_KEYDOWN, code, 0);
  // Over a control, that control takes them.
  RECT rect;
  GetWindowRect(window, &rect);
  SetCursorPos(rect.left + 50, rect.top + 10);
  Send(WM_KEYDOWN, 0x30, 0);
  // A drag that hides the pointer puts it back where it was.
  editor->HideCursorForDrag();
  EXPECT_TRUE(editor->CursorHidden());
  SetCursorPos(5, 5);
  editor->RestoreCursor();
  POINT back;
  GetCursorPos(&back);
  EXPECT_EQ(back.x, rect.left + 50);
  EXPECT_EQ(back.y, rect.top + 10);
  EXPECT_FALSE(editor->CursorHidden());
  EXPECT_EQ(log, (std::vector<std::string>{"fallback key 0,0", "fallback key 15,0",
                                           "fallback key 40,0", "rec key 5,0"}));
}

}  // namespace
