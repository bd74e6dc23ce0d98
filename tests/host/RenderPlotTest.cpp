// The render's picture: its size and that it decodes, ink where the waveforms and the reduction
// are, and axes with a flat line for silence and for a single frame.
#include <gtest/gtest.h>

#include <memory>

#include "host/app/RenderPlot.h"
#include "raster/LoadPng.h"
#include "raster/MemBitmap.h"
#include "tests/host/HostTestSupport.h"

namespace ferrix::host::testing {
namespace {

constexpr Pixel kPanel = 0xFFFFFFFF;
constexpr Pixel kOutputWave = 0xFF2B6A85;
constexpr Pixel kReduction = 0xFFD9862E;

Pixel At(RasterBitmap& b, int x, int y) {
  return b.Bits()[static_cast<size_t>(y) * static_cast<size_t>(b.RowSpan()) + x];
}

// Pixels of `colour` inside `area`.
int Count(RasterBitmap& b, const PlotArea& area, Pixel colour) {
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      n += At(b, x, y) == colour ? 1 : 0;
  return n;
}

// `frames` frames of a steady square wave of `level` in, half of it out.
RenderEnvelope Envelope(int frames, double level) {
  RenderEnvelope envelope(44100, std::nullopt);
  AudioBlock in(2, 4096), out(2, 4096);
  for (int start = 0; start < frames; start += 4096) {
    in.frames = out.frames = std::min(4096, frames - start);
    for (int c = 0; c < 2; ++c)
      for (int i = 0; i < in.frames; ++i) {
        in.channels[c][i] = (start + i) % 100 < 50 ? level : -level;
        out.channels[c][i] = in.channels[c][i] / 2;
      }
    envelope.Add(in, out);
  }
  return envelope;
}

TEST(RenderPlot, WaveformsAndReductionShowAndSilenceDrawsAFlatLine) {
  MemBitmap b;
  DrawRenderPlot(Envelope(441000, 0.8), "Test", "caption", b);  // ten seconds: buckets merge
  ASSERT_EQ(b.Width(), kPlotWidth);
  ASSERT_EQ(b.Height(), kPlotHeight);
  const PlotArea wave = WaveformArea();
  const PlotArea reduce = ReductionArea();
  // Output at +-0.4 of a +-1.0 panel: a band of about 40 % of the panel's height, every column.
  const int width = wave.right - wave.left;
  const int height = wave.bottom - wave.top;
  EXPECT_GT(Count(b, wave, kOutputWave), width * height * 3 / 10);
  EXPECT_LT(Count(b, wave, kOutputWave), width * height / 2);
  // Half the level is 6.02 dB of reduction: on a 0..10 dB scale about 60 % of the panel.
  const int reduced = Count(b, reduce, kReduction);
  EXPECT_GT(reduced, width * (reduce.bottom - reduce.top) / 2);
  EXPECT_LT(reduced, width * (reduce.bottom - reduce.top) * 7 / 10);

  for (const int frames : {0, 1, 44100}) {
    DrawRenderPlot(Envelope(frames, 0.0), "Silence", "", b);
    const int mid = (wave.top + wave.bottom) / 2;
    EXPECT_EQ(Count(b, reduce, kReduction), 0) << frames;
    // The centre line is drawn across the panel; a waveform of silence stays on it.
    EXPECT_NE(At(b, wave.left + width / 2, mid), kPanel) << frames;
    EXPECT_EQ(At(b, wave.left + width / 2, mid - 20), kPanel) << frames;
    // Nothing of the output above it (below the legend's swatch at the top).
    EXPECT_EQ(Count(b, {wave.left, wave.top + 30, wave.right, mid - 1}, kOutputWave), 0) << frames;
  }
}

TEST(RenderPlot, PlotOptionWritesAPngOfTheRenderThatDecodes) {
  ScratchDir scratch;
  const std::string input = scratch.File("in.wav");
  WriteTestWav(input, TestSignal(2, 20000));
  const std::string png = scratch.File("plot.png");
  ProcessResult r = RunHost({"--plugin", GainParamsModule(), "--preset", "Half", "--plot", png,
                             input, scratch.File("out.wav")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::unique_ptr<RasterBitmap> decoded(LoadPngFile(png.c_str()));
  ASSERT_NE(decoded, nullptr);
  EXPECT_EQ(decoded->Width(), kPlotWidth);
  EXPECT_EQ(decoded->Height(), kPlotHeight);
  EXPECT_GT(Count(*decoded, WaveformArea(), kOutputWave), 1000);
  // The picture's target is checked before the render, like every output.
  r = RunHost({"--plugin", GainParamsModule(), "--plot", scratch.File("plot.jpg"), input,
               scratch.File("other.wav")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("a plot is a .png file"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(scratch.File("other.wav")));
}

}  // namespace
}  // namespace ferrix::host::testing
