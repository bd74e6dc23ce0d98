// ferrix-host's errors and warnings: exactly one line on stderr, whatever the system's texts hold.
#pragma once

#include <string>

namespace ferrix::host {

// Prints "ferrix-host: MESSAGE" with line breaks folded into spaces; answers the exit code 1.
int ReportError(const std::string& message);
// Prints "ferrix-host: warning: MESSAGE" the same way.
void ReportWarning(const std::string& message);

}  // namespace ferrix::host
