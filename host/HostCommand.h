// What ferrix-host does with its parsed command line; answers the process exit code.
#pragma once

#include "host/CommandLine.h"

namespace ferrix::host {

int RunHostCommand(const Options& options);

}  // namespace ferrix::host
