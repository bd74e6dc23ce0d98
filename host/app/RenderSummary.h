// What ferrix-host reports after a render: levels in and out per channel, as text or JSON.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/meters/LevelStats.h"
#include "host/meters/Loudness.h"

namespace ferrix::host {

struct RenderSummary {
  std::string plugin;  // the plug-in's effect name, or its file name
  std::string input;
  std::string output;
  int sampleRate = 0;
  int64_t frames = 0;
  int precision = 32;
  int blockFrames = 0;
  std::vector<ChannelLevels> inputLevels;
  std::vector<ChannelLevels> outputLevels;
  // Set only for plug-ins that report their gain reduction (Ferrix); positive dB.
  std::optional<double> largestGainReductionDb;
  // Set when the build measures loudness (not the Windows build).
  std::optional<LoudnessFigures> inputLoudness;
  std::optional<LoudnessFigures> outputLoudness;
};

std::string SummaryText(const RenderSummary& summary);  // a few lines, ends with a newline
std::string SummaryJson(const RenderSummary& summary);  // one JSON object and a newline
// One line for the main job's per-preset list: loudness and true peak with their changes when
// measured, else peaks, RMS and overs.
std::string SummaryLine(const std::string& preset, const RenderSummary& summary);

}  // namespace ferrix::host
