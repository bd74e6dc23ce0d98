// --batch: every audio file of a folder tree rendered into the same relative path and format
// under another folder, on several worker threads.
#pragma once

#include <string>
#include <vector>

#include "host/app/CommandLine.h"

namespace ferrix::host {

// The audio files under `inDir` (recursively, sorted), as paths relative to it. A folder that is
// `outDir` itself, met inside `inDir`, is not entered: the batch never reads its own output.
std::vector<std::string> FindBatchFiles(const std::string& inDir, const std::string& outDir);

// Renders every file, each by a fresh instance of the plug-in on one of options.jobs workers
// (one instance per worker at a time), with --load, --preset and --param applied to each. A file
// that fails is reported in one line and the others still finish; answers 1 if any failed.
int RunBatch(const Options& options, const std::string& pluginPath);

}  // namespace ferrix::host
