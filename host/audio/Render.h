// Rendering audio through an opened plug-in, offline, block by block, as a host does.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/audio/AudioFile.h"
#include "host/audio/AudioSource.h"
#include "host/audio/ProcessBuffers.h"
#include "host/plugin/Host.h"
#include "host/plugin/Plugin.h"

namespace ferrix::host {

struct RenderSettings {
  int32_t blockFrames = 512;
  bool doublePrecision = false;  // processDoubleReplacing instead of processReplacing
};

// processDoubleReplacing when asked for (false with a reason when the plug-in lacks it), else
// processReplacing, else the accumulating process.
bool ChooseProcessMode(const Plugin& plugin, bool doublePrecision, ProcessMode& mode,
                       std::string& error);

// Called after each block with the fraction done (of the expected length, at most 1).
using ProgressFunction = std::function<void(double)>;
// Receives each input block and the plug-in's output for it (as many channels as the input);
// answers false with a reason in `error` to stop the render.
using BlockSink =
    std::function<bool(const AudioBlock& input, const AudioBlock& output, std::string& error)>;

// The plug-in must be open with the input's sample rate and `settings.blockFrames` set. Switches
// processing on, streams `source` through it into `sink` until the source ends, and switches
// processing off. Memory is a few blocks, whatever the length. A mono input feeds every plug-in
// input; its output is the plug-in's first. Answers false with a one-line reason in `error` when
// the channels do not fit, the plug-in lacks the requested precision, or the sink fails.
bool RenderStream(const Plugin& plugin, Host& host, AudioSource& source,
                  const RenderSettings& settings, const BlockSink& sink, std::string& error,
                  const ProgressFunction& progress = {});

// The same for audio in memory: `output` gets the input's length, rate and channel count.
bool Render(const Plugin& plugin, Host& host, const AudioData& input,
            const RenderSettings& settings, AudioData& output, std::string& error,
            const ProgressFunction& progress = {});

}  // namespace ferrix::host
