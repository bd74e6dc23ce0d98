// Names the plug-in when the process crashes inside it: a crash in a plug-in is the plug-in's
// fault, and the user must learn which one it was. A fault anywhere else is the host's own and
// is reported as such. One handler file per platform.
#pragma once

namespace ferrix::host {

// Installs the handler once; `modulePath` (kept by the caller for the run) is named in the
// message. The handler prints one line to stderr and lets the crash take its normal course.
void GuardAgainstPluginCrash(const char* modulePath);

// Marks the calling thread as inside a call into the plug-in while it lives. Cheap: one
// thread-local counter, no allocation, no lock.
class PluginCall {
 public:
  PluginCall();
  ~PluginCall();
  PluginCall(const PluginCall&) = delete;
  PluginCall& operator=(const PluginCall&) = delete;
};

bool InsidePluginCall();

}  // namespace ferrix::host
