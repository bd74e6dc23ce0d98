// An unhandled-exception filter that names the plug-in (or the host), then ends the process with
// the exception code as its exit code, as an unhandled crash would.
#include "host/signals/CrashGuard.h"

#include <windows.h>

#include <cstdio>

namespace ferrix::host {
namespace {

const char* gModulePath = "";

LONG WINAPI OnCrash(EXCEPTION_POINTERS* info) {
  if (InsidePluginCall()) {
    std::fprintf(stderr, "ferrix-host: the plug-in %s crashed (exception 0x%08lX)\n", gModulePath,
                 info->ExceptionRecord->ExceptionCode);
  } else {
    std::fprintf(stderr, "ferrix-host: internal fault (exception 0x%08lX)\n",
                 info->ExceptionRecord->ExceptionCode);
  }
  std::fflush(stderr);
  // Ending here rather than continuing the search: the system's crash path would start a
  // debugger or an error-report dialog, which under wine can wait forever.
  TerminateProcess(GetCurrentProcess(), info->ExceptionRecord->ExceptionCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void GuardAgainstPluginCrash(const char* modulePath) {
  gModulePath = modulePath;
  SetUnhandledExceptionFilter(&OnCrash);
}

}  // namespace ferrix::host
