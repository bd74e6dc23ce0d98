// Ferrix.dll's editor as a host opens it: the editor flag and rectangle, effEditOpen into a host
// window, a knob dragged with synthesized messages and then with real input (SendInput), both
// seen by the host callback as one edit gesture (a middle-button press too), and closing by
// request or with the effect.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "tests/vst/ModuleHost.h"

namespace ferrix::vst::testing {
namespace {

constexpr int kThresholdInitial = 2;  // its knob's image covers 214..304 x 136..226
constexpr POINT kKnob{259, 180};

// The host's gesture requests for one parameter: 'b' begin, 'a' automate, 'e' end.
std::string Gesture(const ScriptedHost& host, int index) {
  std::string seen;
  for (const Request& r : host.requests) {
    if (r.index != index) continue;
    if (r.opcode == audioMasterBeginEdit) seen += 'b';
    if (r.opcode == audioMasterAutomate && (seen.empty() || seen.back() != 'a')) seen += 'a';
    if (r.opcode == audioMasterEndEdit) seen += 'e';
  }
  return seen;
}

bool EditorClassRegistered() {
  WNDCLASSA found;
  return GetClassInfoA(GetModuleHandleA("Ferrix.dll"), "EffectEditorWndClass", &found) != 0;
}

TEST(FerrixWindow, HostOpensTheEditorAndSeesKnobDragsAsEditGestures) {
  ScriptedHost host;
  LoadedModule ferrix(NativePath(FERRIX_MODULE), &host);
  ASSERT_NE(ferrix.effect, nullptr);
  EXPECT_TRUE(ferrix.effect->flags & effFlagsHasEditor);
  ferrix.Dispatch(effOpen);
  ERect* rect = nullptr;
  ASSERT_EQ(ferrix.Dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->right - rect->left, 640);
  EXPECT_EQ(rect->bottom - rect->top, 480);

  HWND parent = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 20, 20, 640, 480,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  ASSERT_EQ(ferrix.Dispatch(effEditOpen, 0, 0, parent), 1);
  HWND window = FindWindowExA(parent, nullptr, "EffectEditorWndClass", "EffectEditor");
  ASSERT_NE(window, nullptr);
  SendMessageA(window, WM_TIMER, 2, 0);

  // Messages: 30 px down over the knob (its default is the top of the range).
  const float before = ferrix.effect->getParameter(ferrix.effect, kThresholdInitial);
  host.requests.clear();
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kKnob.x, kKnob.y));
  SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kKnob.x, kKnob.y + 30));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(kKnob.x, kKnob.y + 30));
  EXPECT_EQ(Gesture(host, kThresholdInitial), "bae");
  const float dragged = ferrix.effect->getParameter(ferrix.effect, kThresholdInitial);
  EXPECT_LT(dragged, before);

  // Real input: the pointer pressed over the knob, moved up, released; delivered by the
  // system's own input path to the window under the pointer. Each step waits until the window
  // has handled it (its gesture request, or the capture freed).
  host.requests.clear();
  SetForegroundWindow(parent);
  POINT screen = kKnob;
  ClientToScreen(window, &screen);
  SetCursorPos(screen.x, screen.y);
  // Absolute positions on the primary screen, in 0..65535.
  const auto input = [&](DWORD flags, int dy, const char* gesture, HWND capture) {
    INPUT i{};
    i.type = INPUT_MOUSE;
    i.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    i.mi.dy = MulDiv(screen.y + dy, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    i.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &i, sizeof i);
    for (DWORD start = GetTickCount();
         Gesture(host, kThresholdInitial) != gesture || GetCapture() != capture;) {
      ASSERT_LT(GetTickCount() - start, 20000u)
          << "expected " << gesture << ", seen " << Gesture(host, kThresholdInitial)
          << (GetCapture() == capture ? "" : ", the capture differs");
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
      Sleep(5);
    }
  };
  // The press pushes the knob's value inside its gesture; the release ends it.
  input(MOUSEEVENTF_LEFTDOWN, 0, "ba", window);
  input(0, -20, "ba", window);
  input(MOUSEEVENTF_LEFTUP, -20, "bae", nullptr);
  EXPECT_GT(ferrix.effect->getParameter(ferrix.effect, kThresholdInitial), dragged);
  // The middle button moves nothing, so its gesture ends with the press; its release frees the
  // pointer for the host.
  host.requests.clear();
  input(MOUSEEVENTF_MIDDLEDOWN, -20, "bae", window);
  input(MOUSEEVENTF_MIDDLEUP, -20, "bae", nullptr);

  // Closed by request; then open again and closed with the effect, which takes the window class.
  EXPECT_EQ(ferrix.Dispatch(effEditClose), 1);
  EXPECT_FALSE(IsWindow(window));
  ASSERT_EQ(ferrix.Dispatch(effEditOpen, 0, 0, parent), 1);
  window = FindWindowExA(parent, nullptr, "EffectEditorWndClass", "EffectEditor");
  EXPECT_TRUE(EditorClassRegistered());
  ferrix.Close();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(EditorClassRegistered());
  DestroyWindow(parent);
}

}  // namespace
}  // namespace ferrix::vst::testing
