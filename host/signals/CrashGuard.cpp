// The per-thread depth of plug-in calls (a plug-in may call the host, which calls it again).
#include "host/signals/CrashGuard.h"

namespace ferrix::host {
namespace {

thread_local int tDepth = 0;

}  // namespace

PluginCall::PluginCall() {
  ++tDepth;
}

PluginCall::~PluginCall() {
  --tDepth;
}

bool InsidePluginCall() {
  return tDepth > 0;
}

}  // namespace ferrix::host
