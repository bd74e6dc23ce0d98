// Rendering audio through an opened plug-in, offline, block by block, as a host does.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/AudioFile.h"
#include "host/Host.h"
#include "host/Plugin.h"

namespace ferrix::host {

struct RenderSettings {
  int32_t blockFrames = 512;
  bool doublePrecision = false;  // processDoubleReplacing instead of processReplacing
};

// Called after each block with the fraction done.
using ProgressFunction = std::function<void(double)>;

// The plug-in must be open with the input's sample rate and `settings.blockFrames` set. Switches
// processing on, renders `input` into `output` (same length, rate and channel count) and switches
// processing off. A mono input feeds every plug-in input; its output is the plug-in's first.
// Answers false with a one-line reason in `error` when the channels do not fit or the plug-in
// lacks the requested precision.
bool Render(const Plugin& plugin, Host& host, const AudioData& input,
            const RenderSettings& settings, AudioData& output, std::string& error,
            const ProgressFunction& progress = {});

}  // namespace ferrix::host
