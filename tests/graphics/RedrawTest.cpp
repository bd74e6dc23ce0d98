// The redraw pass on canvas pixels: both modes, clipping to the dirty area, hidden controls,
// frame offsets, and images that are missing.
#include <gtest/gtest.h>

#include "graphics/IBitmapControl.h"
#include "raster/SysBitmap.h"
#include "tests/graphics/EditorTestSupport.h"

namespace {

constexpr Pixel kYellow = 0xFFFFFF00;

// Pixel of row r of the strip image.
constexpr Pixel StripRow(int r) {
  return 0xFF000007u | (static_cast<Pixel>(r % 256) << 16) | (static_cast<Pixel>(r / 256) << 8);
}

// Draws one fixed frame of its image.
class FrameControl : public IControl {
 public:
  FrameControl(const IImage& image, const IBounds& area, int frame)
      : IControl(nullptr, area, -1, {}), image_(image), frame_(frame) {}
  bool Draw(IGraphics* editor) override {
    return editor->BlitImageFrame(image_, Area(), frame_, nullptr);
  }

 private:
  IImage image_;
  int frame_;
};

class Redraw : public ::testing::TestWithParam<bool> {
 protected:
  Redraw() {
    editor.AddControl(
        knob = new IBitmapControl(&effect, 20, 10, 1, editor.LoadImage(kKnobId, "knob.png", 4)));
    editor.AddControl(
        other = new IBitmapControl(&effect, 40, 30, -1, editor.LoadImage(kKnobId, "knob.png", 4)));
    editor.AddBackground(kBackgroundId, "resources/img/background.png");
    editor.PrepareDrawing();
  }

  EditorTestEffect effect;
  TestEditor editor{&effect};
  IBitmapControl* knob;
  IBitmapControl* other;
};

TEST_P(Redraw, OnlyTheDirtyKnobsAreaIsRedrawnBackgroundFirst) {
  editor.SetWholeAreaRedraw(GetParam());
  editor.RedrawAll();
  EXPECT_EQ(editor.GetControl(0)->Area(), (IBounds{0, 0, 64, 48}));
  EXPECT_EQ(editor.At(20, 10), kRed);   // knob frame 1, opaque half
  EXPECT_EQ(editor.At(25, 10), kBlue);  // its clear half shows the background
  IBounds dirty;
  EXPECT_FALSE(editor.CollectDirtyArea(&dirty));

  editor.Fill(kScribble);
  knob->SetValue(1.0);
  knob->MarkDirty(false);
  ASSERT_TRUE(editor.CollectDirtyArea(&dirty));
  EXPECT_EQ(dirty, (IBounds{20, 10, 30, 20}));
  EXPECT_TRUE(editor.RedrawArea(dirty));
  const struct {
    int x, y;
    Pixel expected;
  } pixels[] = {{20, 10, kYellow},   {24, 19, kYellow},   {25, 10, kBlue},     {29, 19, kBlue},
                {19, 10, kScribble}, {30, 10, kScribble}, {25, 20, kScribble}, {40, 30, kScribble}};
  for (const auto& p : pixels)
    EXPECT_EQ(editor.At(p.x, p.y), p.expected) << p.x << "," << p.y;
  EXPECT_FALSE(editor.CollectDirtyArea(&dirty));

  // Hiding redraws what lies beneath, and once more on the next pass.
  knob->SetHidden(true);
  dirty = {};
  ASSERT_TRUE(editor.CollectDirtyArea(&dirty));
  editor.RedrawArea(dirty);
  EXPECT_EQ(editor.At(20, 10), kBlue);
  EXPECT_TRUE(knob->NeedsRedraw());
}

INSTANTIATE_TEST_SUITE_P(BothModes, Redraw, ::testing::Values(true, false));

TEST(RedrawFrames, FrameOffsetsStayInsideTheImage) {
  EditorTestEffect effect;
  TestEditor editor{&effect};
  const IImage strip = editor.LoadImage(kStripId, "strip.png", 100);
  ASSERT_EQ(strip.height, 3500);
  // Frame 3 starts at row truncate(3500 x 2 / 100 + 0.5) = 70; frames beyond the count show the
  // last one, frames below 1 the first.
  const struct {
    int frame;
    int firstRow;
  } cases[] = {{3, 70}, {1, 0}, {0, 0}, {100, 3465}, {250, 3465}};
  for (int i = 0; i < 5; ++i)
    editor.AddControl(new FrameControl(strip, {2 * i, 0, 2 * i + 2, 35}, cases[i].frame));
  // Value 2 / 99 chooses frame truncate(99 x 2 / 99 + 0.5) + 1 = 3 as well.
  auto* meter = new IBitmapControl(&effect, 10, 0, -1, strip);
  meter->SetValue(2.0 / 99.0);
  editor.AddControl(meter);
  editor.PrepareDrawing();
  editor.RedrawAll();
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(editor.At(2 * i, 0), StripRow(cases[i].firstRow)) << cases[i].frame;
    EXPECT_EQ(editor.At(2 * i + 1, 34), StripRow(cases[i].firstRow + 34)) << cases[i].frame;
  }
  EXPECT_EQ(editor.At(10, 0), StripRow(70));
}

TEST(RedrawFrames, AMissingImageIsEmptyAndDrawsNothing) {
  EditorTestEffect effect;
  TestEditor editor{&effect};
  const IImage missing = editor.LoadImage(299, "resources/img/missing.png", 0);
  EXPECT_EQ(missing.bitmap, nullptr);
  EXPECT_EQ(missing.width, 0);
  EXPECT_EQ(missing.height, 0);
  EXPECT_EQ(missing.frameCount, 0);
  EXPECT_EQ(missing.Frames(), 1);
  editor.AddBackground(299, "resources/img/missing.png");
  editor.AddControl(new IBitmapControl(&effect, 5, 5, -1, missing));
  EXPECT_EQ(editor.GetControl(1)->Area(), (IBounds{5, 5, 5, 5}));
  editor.PrepareDrawing();
  editor.Fill(kScribble);
  editor.SetWholeAreaRedraw(false);
  EXPECT_TRUE(editor.RedrawArea({0, 0, 64, 48}));
  EXPECT_EQ(editor.At(5, 5), kScribble);
}

}  // namespace

namespace {

TEST(RedrawMerging, AnAreaRedrawnWholeInThePassIsNotRedrawnAgain) {
  EditorTestEffect effect;
  TestEditor editor{&effect};
  std::vector<std::string> log;
  editor.AddControl(new RecordingControl(&effect, {0, 0, 64, 48}, -1, &log, "back"));
  editor.AddControl(new RecordingControl(&effect, {10, 10, 20, 40}, -1, &log, "bar"));
  editor.AddControl(new RecordingControl(&effect, {10, 10, 20, 40}, -1, &log, "peak"));
  editor.AddControl(new RecordingControl(&effect, {12, 12, 18, 30}, -1, &log, "marker"));
  editor.AddControl(new RecordingControl(&effect, {40, 10, 50, 40}, -1, &log, "other"));
  editor.SetWholeAreaRedraw(false);
  editor.PrepareDrawing();
  editor.RedrawAll();
  log.clear();
  for (int i = 1; i < 5; ++i)
    editor.GetControl(i)->MarkDirty(false);
  editor.RedrawAll();
  EXPECT_EQ(log, (std::vector<std::string>{"back draw", "bar draw", "peak draw", "marker draw",
                                           "back draw", "other draw"}));
  IBounds dirty;
  EXPECT_FALSE(editor.CollectDirtyArea(&dirty));
}

}  // namespace
