// StopSignal: a console control handler; it runs on a thread of its own and only sets the flag.
#include <windows.h>

#include <atomic>

#include "host/signals/StopSignal.h"

namespace ferrix::host {
namespace {

std::atomic<bool> stopSignalled{false};

BOOL WINAPI OnConsoleEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  stopSignalled.store(true);
  return TRUE;
}

}  // namespace

void InstallStopSignal() {
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

bool StopSignalled() {
  return stopSignalled.load();
}

}  // namespace ferrix::host
