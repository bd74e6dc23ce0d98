// A signal handler that writes with write(2) only (async-signal-safe), then re-raises the signal
// with the default action so the exit status still says "crashed".
#include "host/signals/CrashGuard.h"

#include <signal.h>
#include <string.h>
#include <unistd.h>

#include <initializer_list>

namespace ferrix::host {
namespace {

const char* gModulePath = "";

void Say(const char* text) {
  ssize_t ignored = write(STDERR_FILENO, text, strlen(text));
  (void)ignored;
}

const char* SignalName(int signal) {
  switch (signal) {
    case SIGSEGV:
      return "segmentation fault";
    case SIGBUS:
      return "bus error";
    case SIGILL:
      return "illegal instruction";
    case SIGFPE:
      return "arithmetic exception";
    default:
      return "abort";
  }
}

void OnCrash(int signal) {
  if (InsidePluginCall()) {
    Say("ferrix-host: the plug-in ");
    Say(gModulePath);
    Say(" crashed (");
  } else {
    Say("ferrix-host: internal fault (");
  }
  Say(SignalName(signal));
  Say(")\n");
  ::signal(signal, SIG_DFL);
  raise(signal);
}

}  // namespace

void GuardAgainstPluginCrash(const char* modulePath) {
  gModulePath = modulePath;
  struct sigaction action {};
  action.sa_handler = &OnCrash;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;
  for (int signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT})
    sigaction(signal, &action, nullptr);
}

}  // namespace ferrix::host
