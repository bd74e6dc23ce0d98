// Ferrix with its editor under three threads, as a host drives it: the audio thread processing
// through the effect record, the editor thread redrawing at full speed and clicking, and a host
// thread automating thresholds and switches. Under the linux-tsan preset this proves the shared
// state race-free (tools/run-tsan-tests.sh); everywhere, that read-out texts are never torn.
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "effect/FerrixParam.h"
#include "tests/effect/FerrixEditorSupport.h"

namespace {

std::chrono::milliseconds StressDuration() {
  const char* seconds = std::getenv("FERRIX_STRESS_SECONDS");
  const double value = seconds ? std::atof(seconds) : 0.3;
  return std::chrono::milliseconds(static_cast<int>(value * 1000));
}

TEST_F(FerrixEditorTest, AudioEditorAndAutomationThreads) {
  Ferrix effect(nullptr);
  AEffect* record = effect.Record();
  record->dispatcher(record, effOpen, 0, 0, nullptr, 0.0f);
  record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f);
  IGraphics* editor = effect.Graphics();
  std::atomic<bool> stop{false};
  std::atomic<long> blocks{0}, ticks{0}, torn{0};

  std::thread audio([&] {
    float in[2][256], out[2][256];
    float* inputs[2] = {in[0], in[1]};
    float* outputs[2] = {out[0], out[1]};
    for (long n = 0; !stop; ++n) {
      for (int i = 0; i < 256; ++i)
        in[0][i] = in[1][i] = static_cast<float>(std::sin((n * 256 + i) * 0.05) * (n % 7) * 0.3);
      record->processReplacing(record, inputs, outputs, 256);
      ++blocks;
    }
  });
  std::thread automation([&] {
    for (int n = 0; !stop; ++n) {
      record->setParameter(record, kThresholdInitial, static_cast<float>(n % 11) / 10.0f);
      record->setParameter(record, kThresholdEnd, static_cast<float>(n % 7) / 6.0f);
      record->setParameter(record, kLink, static_cast<float>(n % 2));
      record->setParameter(record, kBypass, n % 5 == 0 ? 1.0f : 0.0f);
      record->setParameter(record, kFast, static_cast<float>(n % 3 == 0));
      std::this_thread::yield();
    }
  });
  const auto end = std::chrono::steady_clock::now() + StressDuration();
  const IMouseKeys left{true, false, false, false, false};
  char text[SharedText::kCapacity];
  // However busy the machine, the audio thread and the editor get their turns; the duration only
  // lengthens the run.
  for (int n = 0; std::chrono::steady_clock::now() < end || ticks < 3 || blocks < 3; ++n) {
    Tick(editor);
    if (n % 5 == 0) {
      editor->MouseDown(327, 207, left);  // Link
      editor->MouseUp(327, 207, left);
      editor->MouseWheel(400, 180, {}, n % 3 - 1);  // Threshold-End knob
    }
    for (int channel = 0; channel < 2; ++channel) {
      effect.LevelReadout(channel)->Text(text);
      const size_t length = std::strlen(text);
      torn += length != 0 && (length < 6 || std::strcmp(text + length - 3, " dB") != 0);
    }
    ++ticks;
  }
  stop = true;
  audio.join();
  automation.join();
  EXPECT_EQ(torn.load(), 0);
}

}  // namespace
