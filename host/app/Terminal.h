// Whether standard error is a terminal (the progress bar is drawn only there). One file per
// platform.
#pragma once

namespace ferrix::host {

bool StderrIsTerminal();

}  // namespace ferrix::host
