// What the tests of Ferrix's editor share: the images linked into the test executable, an effect
// set up as a host leaves it after opening, blocks of a generated signal, and a canvas reader.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "effect/ExecutableImages.h"
#include "effect/Ferrix.h"
#include "graphics/IGraphics.h"
#include "graphics/ITextControl.h"
#include "raster/SysBitmap.h"
#include "tools/programs/editor-snapshot/EditorSnapshot.h"

class FerrixEditorTest : public ::testing::Test {
 public:
  void SetUp() override {
    SetModuleInstance(ExecutableImages());
    // Texts from the reference snapshots' font files, whatever fonts this machine has.
    static std::string error;
    static const bool fonts = UseReferenceFonts(error);
    ASSERT_TRUE(fonts) << error;
  }

  // Opened at 48 kHz with the defaults, as a host does before the first block.
  static void Open(Ferrix& effect) {
    effect.SetSampleRate(48000.0);
    effect.AnnounceAllParams();
    effect.ResetState();
  }

  // frames of signal(n) on both channels in 512-frame blocks; the outputs are appended to out.
  static void Process(Ferrix& effect, int frames, const std::function<double(int)>& signal,
                      std::vector<double>* out = nullptr) {
    double left[512], right[512], outLeft[512], outRight[512];
    for (int start = 0; start < frames; start += 512) {
      const int n = std::min(512, frames - start);
      for (int i = 0; i < n; ++i)
        left[i] = right[i] = signal(start + i);
      double* inputs[2] = {left, right};
      double* outputs[2] = {outLeft, outRight};
      effect.ProcessBlockDouble(inputs, outputs, n);
      if (out) out->insert(out->end(), outLeft, outLeft + n);
    }
  }

  static std::string Text(ITextControl* readout) {
    char text[SharedText::kCapacity];
    readout->Text(text);
    return text;
  }

  static void Tick(IGraphics* editor) {
    IBounds area;
    if (editor->CollectDirtyArea(&area)) editor->RedrawArea(area);
  }

  // The whole canvas, row by row.
  static std::vector<Pixel> Pixels(IGraphics* editor) {
    SysBitmap* canvas = editor->Canvas();
    std::vector<Pixel> pixels;
    for (int y = 0; y < canvas->Height(); ++y) {
      const Pixel* row = canvas->Bits() + y * canvas->RowSpan();
      pixels.insert(pixels.end(), row, row + canvas->Width());
    }
    return pixels;
  }

  // Every control drawn again from its current value.
  static void RedrawWhole(IGraphics* editor) {
    editor->MarkAllControlsDirty();
    Tick(editor);
  }

  static Pixel At(IGraphics* editor, int x, int y) {
    SysBitmap* canvas = editor->Canvas();
    return canvas->Bits()[y * canvas->RowSpan() + x];
  }
};

inline double Silence(int) {
  return 0.0;
}
