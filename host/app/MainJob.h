// The main job: the bundled demo loop rendered through a plug-in with every one of its programs.
#pragma once

#include <string>

#include "host/app/CommandLine.h"

namespace ferrix::host {

// Writes one file per program into options.outDir, each rendered by a fresh instance, and
// prints one summary line per program; programs that repeat an earlier one's values are skipped.
int RunMainJob(const Options& options, const std::string& pluginPath);

}  // namespace ferrix::host
