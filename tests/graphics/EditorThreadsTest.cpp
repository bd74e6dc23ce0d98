// The editor under three threads at once, as a host runs it: audio blocks handing meter values
// and texts to controls, the editor thread redrawing flat out, and a host thread setting
// parameters. Run under the linux-tsan preset it proves the shared fields race-free
// (tools/run-tsan-tests.sh); everywhere it proves no text is ever read torn.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "graphics/IBitmapControl.h"
#include "graphics/IKnobControl.h"
#include "graphics/ITextControl.h"
#include "tests/graphics/EditorTestSupport.h"

namespace {

// FERRIX_STRESS_SECONDS lengthens the run (the TSan script asks for a few seconds).
std::chrono::milliseconds StressDuration() {
  const char* seconds = std::getenv("FERRIX_STRESS_SECONDS");
  const double value = seconds ? std::atof(seconds) : 0.3;
  return std::chrono::milliseconds(static_cast<int>(value * 1000));
}

// Texts of one repeated letter whose count tells the letter: a torn read shows at once.
void MakeText(int n, char* out) {
  const int letters = 1 + n % 26;
  std::memset(out, 'a' + n % 26, static_cast<size_t>(letters));
  std::strcpy(out + letters, " dB");
}

bool Whole(const char* text) {
  const size_t letters = std::strlen(text) - 3;
  if (text[0] == '\0') return true;
  if (letters != static_cast<size_t>(text[0] - 'a' + 1)) return false;
  for (size_t i = 0; i < letters; ++i)
    if (text[i] != text[0]) return false;
  return std::strcmp(text + letters, " dB") == 0;
}

TEST(EditorThreads, AudioEditorAndHostThreadsShareControlsSafely) {
  EditorTestEffect effect;
  DefineTestParams(effect);
  auto* editor = new TestEditor(&effect, 640, 480);
  editor->SetWholeAreaRedraw(false);
  editor->AddBackground(kBackgroundId, "background.png");
  int meters[11];
  const IImage strip = editor->LoadImage(kStripId, "strip.png", 100);
  for (int i = 0; i < 11; ++i)
    meters[i] = editor->AddControl(new IBitmapControl(&effect, 80 + 40 * i, 50, -1, strip));
  for (int p = 0; p < 4; ++p)
    editor->AddControl(new IKnobMultiControlText(&effect, {40 * p, 0, 40 * p + 30, 40}, p,
                                                 editor->LoadImage(kKnobId, "knob.png", 4),
                                                 ITextStyle{}));
  auto* left = new ITextControl(&effect, {0, 440, 60, 460}, ITextStyle{});
  auto* right = new ITextControl(&effect, {60, 440, 120, 460}, ITextStyle{});
  editor->AddControl(left);
  editor->AddControl(right);
  effect.AttachEditor(editor);

  std::atomic<bool> stop{false};
  std::atomic<int> torn{0}, passes{0}, blocks{0}, sets{0};
  std::thread audio([&] {
    char text[32];
    for (int block = 0; !stop.load(); ++block) {
      LockGuard guard(effect.Lock());
      for (int i = 0; i < 11; ++i)
        editor->GetControl(meters[i])->SetValueFromPlugin(((block + i) % 100) / 99.0);
      MakeText(block, text);
      left->SetTextFromPlugin(text);
      MakeText(block + 7, text);
      right->SetTextFromPlugin(text);
      ++blocks;
    }
  });
  std::thread host([&] {
    for (int n = 0; !stop.load(); ++n) {
      const double value = (n % 50) / 49.0;
      LockGuard guard(effect.Lock());
      effect.GetParam(n % 4)->SetFromNormalized(value);
      editor->SetControlsFromPlugin(n % 4, value);
      ++sets;
    }
  });
  std::thread window([&] {
    char text[SharedText::kCapacity];
    while (!stop.load()) {
      IBounds dirty;
      if (editor->CollectDirtyArea(&dirty)) editor->RedrawArea(dirty);
      left->Text(text);
      if (!Whole(text)) ++torn;
      right->Text(text);
      if (!Whole(text)) ++torn;
      ++passes;
    }
  });
  // However busy the machine, every thread gets its turns; the duration only lengthens the run.
  const auto end = std::chrono::steady_clock::now() + StressDuration();
  while (std::chrono::steady_clock::now() < end || passes < 3 || blocks < 3 || sets < 3)
    std::this_thread::yield();
  stop = true;
  audio.join();
  host.join();
  window.join();
  EXPECT_EQ(torn.load(), 0);
  EXPECT_EQ(effect.editorPushes, 0);  // drawing pushed nothing to the plug-in
}

// Reactions on host and audio threads mark every control dirty while the user drags a knob: a
// mark must never put back the value it read before the drag changed it (the knob would then
// show the old position while the parameter holds the new one).
TEST(EditorThreads, MarksFromOtherThreadsNeverUndoADrag) {
  EditorTestEffect effect;
  DefineTestParams(effect);
  TestEditor editor(&effect);
  auto* knob = new IKnobMultiControlText(&effect, {0, 0, 20, 40}, 1,
                                         editor.LoadImage(kKnobId, "knob.png", 4), ITextStyle{});
  editor.AddControl(knob);
  knob->SetValue(0.5);
  std::atomic<bool> stop{false};
  std::thread marks([&] {
    while (!stop.load())
      editor.MarkAllControlsDirty();
  });
  const IMouseKeys left{true, false, false, false, false};
  int undone = 0, drags = 0;
  const auto end = std::chrono::steady_clock::now() + StressDuration();
  editor.MouseDown(5, 5, left);
  for (int y = 5; std::chrono::steady_clock::now() < end || drags < 1000; ++drags) {
    y = y == 5 ? 0 : 5;  // 5 pixels up and down again: 0.53125 and 0.5, never clamped
    editor.MouseDrag(5, y, left);
    const double expected = y == 0 ? 0.53125 : 0.5;
    undone += knob->Value() != expected || effect.reported.back().second != expected;
  }
  editor.MouseUp(5, 5, left);
  stop = true;
  marks.join();
  EXPECT_EQ(undone, 0) << "of " << drags << " drags";
}

}  // namespace
