// StopSignal: Ctrl+C (SIGINT, or the Windows console's Ctrl+C and close events) asks a running
// editor session to end cleanly instead of killing the process inside the plug-in.
#pragma once

namespace ferrix::host {

// Installs the handler; later Ctrl+C presses only set the flag. One file per platform.
void InstallStopSignal();
bool StopSignalled();

}  // namespace ferrix::host
