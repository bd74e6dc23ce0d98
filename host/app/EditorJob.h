// --editor and --editor-snapshot: a plug-in's editor in a window of ferrix-host's, with audio
// looping behind it; answers the exit code.
#pragma once

#include <string>

#include "host/app/CommandLine.h"

namespace ferrix::host {

int RunEditorJob(const Options& options, const std::string& pluginPath);

}  // namespace ferrix::host
