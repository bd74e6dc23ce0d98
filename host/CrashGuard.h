// Names the plug-in when the process crashes inside it: a crash in a plug-in is the plug-in's
// fault, and the user must learn which one it was. One file per platform.
#pragma once

namespace ferrix::host {

// Installs the handler once; `modulePath` (kept by the caller for the run) is named in the
// message. The handler prints one line to stderr and lets the crash take its normal course.
void GuardAgainstPluginCrash(const char* modulePath);

}  // namespace ferrix::host
