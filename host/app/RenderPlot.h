// The picture of a render (--plot): input and output waveforms over time, the gain reduction
// below them, axes in seconds and dB, the preset and loudness as a caption; drawn with the raster
// library and its cached fonts and written as PNG.
#pragma once

#include <string>

#include "host/app/RenderEnvelope.h"
#include "host/app/RenderSummary.h"
#include "raster/MemBitmap.h"

namespace ferrix::host {

constexpr int kPlotWidth = 1200;
constexpr int kPlotHeight = 600;

// The waveform panel's rectangle (left, top, right, bottom; right and bottom exclusive), for
// tests that look at its pixels.
struct PlotArea {
  int left, top, right, bottom;
};
PlotArea WaveformArea();
PlotArea ReductionArea();

// Draws into `bitmap` (resized to kPlotWidth x kPlotHeight). `title` and `caption` are the two
// caption lines.
void DrawRenderPlot(const RenderEnvelope& envelope, const std::string& title,
                    const std::string& caption, MemBitmap& bitmap);
// The two caption lines for a render: "PRESET · PLUG-IN · INPUT" and the figures (loudness and
// true peak in and out with their changes, or peaks without loudness; the gain reduction).
std::string PlotTitle(const std::string& preset, const RenderSummary& summary);
std::string PlotCaption(const RenderSummary& summary);
// Whether `path` can take the picture (a .png name in an existing folder); checked up front.
bool CheckPlotTarget(const std::string& path, std::string& error);

// Draws and writes the PNG under a temporary name, moved into place when complete; false with
// a one-line reason.
bool WriteRenderPlot(const RenderEnvelope& envelope, const std::string& title,
                     const std::string& caption, const std::string& path, std::string& error);

}  // namespace ferrix::host
