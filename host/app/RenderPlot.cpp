// Layout (1200 x 600): two caption lines on top; the waveform panel (input in a light blue-grey
// behind the output in deep teal, gridlines at 0 and -6 dBFS); the gain-reduction panel (amber,
// 0 dB at its top, growing downwards); seconds along the bottom. Colours are calm and the text
// antialiased; labels sit in the margins so nothing overlaps the curves.
#include "host/app/RenderPlot.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "host/audio/PendingFile.h"
#include "raster/BlendMode.h"
#include "raster/CachedFont.h"
#include "raster/FillRectangle.h"
#include "raster/SavePng.h"
#include "raster/SystemFont.h"

namespace ferrix::host {
namespace {

constexpr Pixel kPaper = 0xFFF6F5F1;
constexpr Pixel kPanel = 0xFFFFFFFF;
constexpr Pixel kGrid = 0xFFE3E1DB;
constexpr Pixel kAxis = 0xFFB9B6AE;
constexpr Pixel kText = 0xFF3B3A37;
constexpr Pixel kMutedText = 0xFF7A776F;
constexpr Pixel kInputWave = 0xFFBCC8D8;
constexpr Pixel kInputEdge = 0xFF8EA2BC;
constexpr Pixel kOutputWave = 0xFF2B6A85;
constexpr Pixel kReduction = 0xFFD9862E;

constexpr PlotArea kWave{72, 64, kPlotWidth - 24, 372};
constexpr PlotArea kReduce{72, 400, kPlotWidth - 24, 540};

void Fill(MemBitmap& b, int x, int y, int w, int h, Pixel colour) {
  FillRectangle(&b, x, y, w, h, colour, 1.0f, BLEND_COPY);
}

class Text {
 public:
  Text(int height, int weight) {
    SystemFontRequest request;
    request.height = -height;
    request.weight = weight;
    request.quality = 4;  // antialiased
    request.face = "DejaVu Sans";
    font_.AttachSystemFont(CreateSystemFont(request), FONT_OWNS_HANDLE);
  }
  // Draws `text` in `rect` with the DrawText-style `format`.
  void Draw(MemBitmap& b, const std::string& text, RasterRect rect, uint32_t format, Pixel colour) {
    if (font_.SystemFont() == nullptr) return;
    font_.SetForeColor(colour);
    font_.DrawUtf8Text(&b, text.c_str(), -1, &rect, format | TEXT_SINGLELINE | TEXT_NOPREFIX);
  }

 private:
  CachedFont font_;
};

// A round step for about `wanted` ticks over `span`: 1, 2 or 5 times a power of ten.
double NiceStep(double span, int wanted) {
  const double raw = span / std::max(1, wanted);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * power >= raw) return m * power;
  }
  return 10.0 * power;
}

std::string Number(double v, double step) {
  char text[32];
  std::snprintf(text, sizeof text, step < 1.0 ? "%.1f" : "%.0f", v);
  return text;
}

// The buckets that fall into pixel column `column` of `columns`, merged.
RenderEnvelope::Bucket Column(const RenderEnvelope& e, int column, int columns, double& reduction) {
  const auto& buckets = e.Buckets();
  const size_t count = buckets.size();
  const size_t first = count * static_cast<size_t>(column) / static_cast<size_t>(columns);
  size_t last = count * static_cast<size_t>(column + 1) / static_cast<size_t>(columns);
  last = std::max(last, first + 1);
  RenderEnvelope::Bucket merged;
  reduction = 0.0;
  for (size_t i = first; i < last && i < count; ++i) {
    const auto& b = buckets[i];
    merged.inMin = std::min(merged.inMin, b.inMin);
    merged.inMax = std::max(merged.inMax, b.inMax);
    merged.outMin = std::min(merged.outMin, b.outMin);
    merged.outMax = std::max(merged.outMax, b.outMax);
    merged.frames += b.frames;
    reduction = std::max(reduction, e.ReductionDb(b));
  }
  return merged;
}

}  // namespace

PlotArea WaveformArea() {
  return kWave;
}
PlotArea ReductionArea() {
  return kReduce;
}

void DrawRenderPlot(const RenderEnvelope& envelope, const std::string& title,
                    const std::string& caption, MemBitmap& b) {
  b.Resize(kPlotWidth, kPlotHeight);
  if (b.Bits() == nullptr) return;
  Fill(b, 0, 0, kPlotWidth, kPlotHeight, kPaper);
  Text heading(15, 700), small(11, 400);
  heading.Draw(b, title, {kWave.left, 10, kWave.right, 32}, 0, kText);
  small.Draw(b, caption, {kWave.left, 34, kWave.right, 54}, 0, kMutedText);

  const int width = kWave.right - kWave.left;
  double peak = 1.0;  // full scale at least, more when the signal goes over
  double reductionMax = 0.0;
  std::vector<RenderEnvelope::Bucket> columns(static_cast<size_t>(width));
  std::vector<double> reductions(static_cast<size_t>(width), 0.0);
  const bool any = !envelope.Buckets().empty();
  for (int x = 0; any && x < width; ++x) {
    columns[static_cast<size_t>(x)] =
        Column(envelope, x, width, reductions[static_cast<size_t>(x)]);
    const auto& c = columns[static_cast<size_t>(x)];
    peak = std::max({peak, -c.inMin, c.inMax, -c.outMin, c.outMax});
    reductionMax = std::max(reductionMax, reductions[static_cast<size_t>(x)]);
  }
  peak = std::min(peak, 16.0);

  // Waveform panel: gridlines at full scale and at -6 dBFS, a centre line, labels on the left.
  Fill(b, kWave.left, kWave.top, width, kWave.bottom - kWave.top, kPanel);
  const int mid = (kWave.top + kWave.bottom) / 2;
  const double half = (kWave.bottom - kWave.top) / 2.0 - 2.0;
  auto yOf = [&](double v) {
    return static_cast<int>(std::lround(mid - std::clamp(v / peak, -1.0, 1.0) * half));
  };
  for (const auto& [level, label] : {std::pair{1.0, "0 dB"}, std::pair{0.5, "-6 dB"}}) {
    for (const double sign : {1.0, -1.0}) {
      const int y = yOf(sign * level);
      Fill(b, kWave.left, y, width, 1, kGrid);
      small.Draw(b, label, {0, y - 8, kWave.left - 8, y + 8}, TEXT_RIGHT | TEXT_VCENTER,
                 kMutedText);
    }
  }
  small.Draw(b, "-inf", {0, mid - 8, kWave.left - 8, mid + 8}, TEXT_RIGHT | TEXT_VCENTER,
             kMutedText);
  Fill(b, kWave.left, mid, width, 1, kAxis);
  // The input's extent behind the output, and its envelope again on top, so that an output
  // louder than its input still shows where the input was.
  for (int x = 0; any && x < width; ++x) {
    const auto& c = columns[static_cast<size_t>(x)];
    if (c.frames == 0) continue;
    const int inTop = yOf(c.inMax), inBottom = yOf(c.inMin);
    Fill(b, kWave.left + x, inTop, 1, std::max(1, inBottom - inTop + 1), kInputWave);
    const int outTop = yOf(c.outMax), outBottom = yOf(c.outMin);
    Fill(b, kWave.left + x, outTop, 1, std::max(1, outBottom - outTop + 1), kOutputWave);
    Fill(b, kWave.left + x, inTop, 1, 1, kInputEdge);
    Fill(b, kWave.left + x, inBottom, 1, 1, kInputEdge);
  }
  // Legend, inside the panel's top right corner.
  Fill(b, kWave.right - 190, kWave.top + 12, 14, 10, kInputWave);
  Fill(b, kWave.right - 190, kWave.top + 12, 14, 1, kInputEdge);
  small.Draw(b, "input", {kWave.right - 170, kWave.top + 8, kWave.right - 110, kWave.top + 26},
             TEXT_VCENTER, kText);
  Fill(b, kWave.right - 100, kWave.top + 12, 14, 10, kOutputWave);
  small.Draw(b, "output", {kWave.right - 80, kWave.top + 8, kWave.right - 8, kWave.top + 26},
             TEXT_VCENTER, kText);

  // Gain reduction panel: 0 dB at the top, a round floor below the largest reduction.
  const int reduceHeight = kReduce.bottom - kReduce.top;
  Fill(b, kReduce.left, kReduce.top, width, reduceHeight, kPanel);
  const double dbStep = NiceStep(std::max(6.0, reductionMax), 3);
  const double floorDb = std::ceil(std::max(6.0, reductionMax) / dbStep - 1e-9) * dbStep;
  for (double db = 0.0; db <= floorDb + 1e-9; db += dbStep) {
    const int y = kReduce.top + static_cast<int>(std::lround(db / floorDb * (reduceHeight - 1)));
    Fill(b, kReduce.left, y, width, 1, db == 0.0 ? kAxis : kGrid);
    small.Draw(b, Number(db == 0.0 ? 0.0 : -db, dbStep) + " dB",
               {0, y - 8, kReduce.left - 8, y + 8}, TEXT_RIGHT | TEXT_VCENTER, kMutedText);
  }
  for (int x = 0; any && x < width; ++x) {
    const double r = std::min(reductions[static_cast<size_t>(x)], floorDb);
    const int h = static_cast<int>(std::lround(r / floorDb * (reduceHeight - 1)));
    if (h > 0) Fill(b, kReduce.left + x, kReduce.top + 1, 1, h, kReduction);
  }
  small.Draw(b, "gain reduction",
             {kReduce.right - 160, kReduce.bottom - 22, kReduce.right - 8, kReduce.bottom - 4},
             TEXT_RIGHT | TEXT_VCENTER, kMutedText);

  // Time axis under both panels.
  const double seconds = envelope.SampleRate() > 0
                             ? static_cast<double>(envelope.Frames()) / envelope.SampleRate()
                             : 0.0;
  const double span = std::max(seconds, 1e-3);
  const double step = NiceStep(span, 10);
  for (double t = 0.0; t <= span + 1e-9; t += step) {
    const int x = kWave.left + static_cast<int>(std::lround(t / span * (width - 1)));
    Fill(b, x, kReduce.bottom, 1, 5, kAxis);
    small.Draw(b, Number(t, step) + " s", {x - 40, kReduce.bottom + 6, x + 40, kReduce.bottom + 24},
               TEXT_CENTER, kMutedText);
  }
}

std::string PlotTitle(const std::string& preset, const RenderSummary& s) {
  std::string title = preset.empty() ? s.plugin : preset + "  \u00b7  " + s.plugin;
  return title + "  \u00b7  " + std::filesystem::path(s.input).filename().string();
}

std::string PlotCaption(const RenderSummary& s) {
  auto db = [](double v, const char* format) {
    if (!std::isfinite(v)) return std::string("-inf");
    char text[32];
    std::snprintf(text, sizeof text, format, v);
    return std::string(text);
  };
  std::string caption;
  if (s.inputLoudness && s.outputLoudness) {
    const LoudnessFigures& in = *s.inputLoudness;
    const LoudnessFigures& out = *s.outputLoudness;
    // Built by appending: GCC 12 mistakes "literal" + string for an overlapping copy.
    caption = "in ";
    caption += db(in.integratedLufs, "%.1f") + " LUFS, true peak ";
    caption += db(in.truePeakDb, "%+.1f") + " dBTP    out ";
    caption += db(out.integratedLufs, "%.1f") + " LUFS, true peak ";
    caption += db(out.truePeakDb, "%+.1f") + " dBTP    change ";
    caption += std::isfinite(in.integratedLufs) && std::isfinite(out.integratedLufs)
                   ? db(out.integratedLufs - in.integratedLufs, "%+.1f")
                   : std::string("n/a");
    caption += " LU";
  } else {
    double inPeak = -HUGE_VAL, outPeak = -HUGE_VAL;
    for (const ChannelLevels& l : s.inputLevels)
      inPeak = std::max(inPeak, l.peakDb);
    for (const ChannelLevels& l : s.outputLevels)
      outPeak = std::max(outPeak, l.peakDb);
    caption = "peak in ";
    caption += db(inPeak, "%.1f") + " dBFS, out ";
    caption += db(outPeak, "%.1f") + " dBFS";
  }
  if (s.largestGainReductionDb) {
    caption += "    largest gain reduction " + db(*s.largestGainReductionDb, "%.1f") + " dB";
  }
  return caption;
}

bool CheckPlotTarget(const std::string& path, std::string& error) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext != ".png") {
    error = path + ": a plot is a .png file";
    return false;
  }
  return CheckOutputPath(path, error);
}

bool WriteRenderPlot(const RenderEnvelope& envelope, const std::string& title,
                     const std::string& caption, const std::string& path, std::string& error) {
  MemBitmap bitmap;
  DrawRenderPlot(envelope, title, caption, bitmap);
  PendingFile pending;
  if (!pending.Create(path, error)) return false;
  if (!SavePngFile(bitmap, pending.TemporaryPath().c_str())) {
    error = path + ": cannot write the picture";
    return false;
  }
  return pending.Commit(error);
}

}  // namespace ferrix::host
