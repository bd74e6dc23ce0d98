// Two editors, each with its window on a thread of its own (as hosts that give every plug-in
// window its own thread do), redrawing texts in one shared font at the same time: each window
// shows only its own text colour.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "graphics/ITextControl.h"
#include "graphics_win/IGraphicsWin.h"
#include "tests/graphics/EditorTestSupport.h"

namespace {

constexpr int kWidth = 320, kRowHeight = 16, kRows = 10, kHeight = kRows * kRowHeight;
constexpr int kRedraws = 150;

struct Inks {
  int own = 0, foreign = 0;
};

// Redraws rows of text in pure red or pure green (one font: same face, size and style) through
// its window's timer and paint messages, and counts the canvas pixels of its colour and of the
// other.
Inks InksAfterRedraws(bool green, std::atomic<int>* started) {
  EditorTestEffect effect;
  auto* editor = new IGraphicsWin(&effect, kWidth, kHeight);
  editor->SetModuleHandle(GetModuleHandleA(nullptr));
  ITextStyle style;
  style.colour = green ? IArgb{255, 0, 255, 0} : IArgb{255, 255, 0, 0};
  ITextControl* rows[kRows];
  for (int r = 0; r < kRows; ++r) {
    rows[r] = new ITextControl(&effect, {0, r * kRowHeight, kWidth, (r + 1) * kRowHeight}, style);
    editor->AddControl(rows[r]);
  }
  effect.AttachEditor(editor);
  HWND parent = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, green ? 0 : 400, 0,
                                kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
  auto* window = static_cast<HWND>(editor->OpenEditorWindow(parent));
  started->fetch_add(1);
  while (started->load() < 2)
    std::this_thread::yield();
  Inks inks;
  if (!window) return inks;

  const char* kTexts[] = {"Threshold -12.5 dB glides back to -3.0 dB", "WAVEFORM 0123456789 QUIET"};
  RasterBitmap* canvas = editor->Canvas();
  for (int i = 0; i < kRedraws; ++i) {
    for (int r = 0; r < kRows; ++r)
      rows[r]->SetTextFromPlugin(kTexts[(i + r) % 2]);
    SendMessageA(window, WM_TIMER, IGraphicsWin::kTimerId, 0);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const Pixel p = canvas->Bits()[y * canvas->RowSpan() + x];
        inks.own += ((green ? p >> 8 : p >> 16) & 0xFF) != 0;
        inks.foreign += ((green ? p >> 16 : p >> 8) & 0xFF) != 0;
      }
  }
  editor->CloseEditorWindow();
  DestroyWindow(parent);
  return inks;
}

TEST(WinEditorThreads, EditorsOnTwoThreadsDrawTheirTextsInTheirOwnColours) {
  std::atomic<int> started{0};
  Inks red, green;
  std::thread redThread([&] { red = InksAfterRedraws(false, &started); });
  std::thread greenThread([&] { green = InksAfterRedraws(true, &started); });
  redThread.join();
  greenThread.join();
  EXPECT_GT(red.own, 0);
  EXPECT_GT(green.own, 0);
  EXPECT_EQ(red.foreign, 0);
  EXPECT_EQ(green.foreign, 0);
}

}  // namespace
