// An unhandled-exception filter that names the plug-in, then lets the exception end the process.
#include "host/CrashGuard.h"

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
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void GuardAgainstPluginCrash(const char* modulePath) {
  gModulePath = modulePath;
  SetUnhandledExceptionFilter(&OnCrash);
}

}  // namespace ferrix::host
