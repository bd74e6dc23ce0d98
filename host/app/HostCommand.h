// What ferrix-host does with its parsed command line; answers the process exit code.
#pragma once

#include <string>

#include "host/app/CommandLine.h"
#include "host/plugin/Plugin.h"

namespace ferrix::host {

int RunHostCommand(const Options& options);

// --load, then --preset, then every --param, in that order; false with a one-line reason.
bool ApplyControls(const Plugin& plugin, const Options& options, std::string& error);

}  // namespace ferrix::host
