// One file through an open plug-in: streamed from the reader into the output file, which appears
// only once complete, with the summary figures gathered on the way.
#pragma once

#include <string>

#include "host/app/RenderEnvelope.h"
#include "host/app/RenderSummary.h"
#include "host/audio/AudioFile.h"
#include "host/audio/Render.h"
#include "host/plugin/Host.h"
#include "host/plugin/Plugin.h"

namespace ferrix::host {

// `summary` gets the levels, the frames rendered and, for Ferrix, the largest gain reduction;
// the caller fills in names and settings. `envelope`, when given, gathers the picture's data. A
// file whose data stops before its declared length is rendered as far as it goes and `warning` says
// so. Answers false with a one-line reason.
bool RenderFileJob(const Plugin& plugin, Host& host, AudioFileReader& reader,
                   const std::string& outputPath, const RenderSettings& settings,
                   RenderSummary& summary, std::string& warning, std::string& error,
                   const ProgressFunction& progress = {}, RenderEnvelope* envelope = nullptr);

}  // namespace ferrix::host
