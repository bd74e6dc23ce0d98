// What the Windows editor window tests share: a host-like parent window with a frame, an editor
// (64 x 48: background, a knob on parameter 1 at 20..30, a recording control at 40..64 x 0..20)
// on the test executable's own image resources, and message helpers.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "graphics/IKnobControl.h"
#include "graphics_win/IGraphicsWin.h"
#include "raster/SysBitmap.h"
#include "tests/graphics/EditorTestSupport.h"

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

class WinTestEditor : public IGraphicsWin {
 public:
  explicit WinTestEditor(EffectBase* effect) : IGraphicsWin(effect, 64, 48) {
    SetModuleHandle(GetModuleHandleA(nullptr));
  }
};

class WinEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static const bool registered = [] {
      WNDCLASSA host{};
      host.lpfnWndProc = DefWindowProcA;
      host.hInstance = GetModuleHandleA(nullptr);
      host.lpszClassName = "FerrixTestHost";
      return RegisterClassA(&host) != 0;
    }();
    ASSERT_TRUE(registered);
    // A frame and a title bar, as a host's own top-level editor window has.
    parent = CreateWindowExA(0, "FerrixTestHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                             100, 200, 160, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    DefineTestParams(effect);
    editor = new WinTestEditor(&effect);
    editor->AddBackground(kBackgroundId, "background.png");
    editor->AddControl(new FrameKnob(&effect, editor->LoadImage(kKnobId, "knob.png", 4)));
    recorder = new RecordingControl(&effect, {40, 0, 64, 20}, -1, &log, "rec");
    editor->AddControl(recorder);
    effect.AttachEditor(editor);  // the effect owns it from here
  }
  void TearDown() override {
    if (parent) DestroyWindow(parent);
    Pump();
  }

  HWND Open() {
    auto* window = static_cast<HWND>(editor->OpenEditorWindow(parent));
    EXPECT_NE(window, nullptr);
    Tick();
    return window;
  }
  HWND Window() { return static_cast<HWND>(editor->WindowHandle()); }
  // One step of the redraw timer, as the system timer would deliver it.
  void Tick() { SendMessageA(Window(), WM_TIMER, IGraphicsWin::kTimerId, 0); }
  static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(Window(), message, wParam, lParam);
  }
  static void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageA(&message);
  }
  // The window's pixel as 0xFFRRGGBB.
  Pixel WindowPixel(int x, int y) {
    HDC context = GetDC(Window());
    const COLORREF colour = GetPixel(context, x, y);
    ReleaseDC(Window(), context);
    return 0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  }
  Pixel CanvasPixel(int x, int y) {
    return 0xFF000000u | editor->Canvas()->Bits()[y * editor->Canvas()->RowSpan() + x];
  }
  std::string EntryText() {
    char text[64] = {};
    GetWindowTextA(editor->EntryWindow(), text, sizeof text);
    return text;
  }

  HWND parent = nullptr;
  EditorTestEffect effect;
  WinTestEditor* editor = nullptr;
  RecordingControl* recorder = nullptr;
  std::vector<std::string> log;
};
