// StopSignal: a sigaction handler that only stores into a lock-free flag.
#include <signal.h>

#include <atomic>

#include "host/signals/StopSignal.h"

namespace ferrix::host {
namespace {

std::atomic<bool> stopSignalled{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void OnSignal(int) {
  stopSignalled.store(true);
}

}  // namespace

void InstallStopSignal() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool StopSignalled() {
  return stopSignalled.load();
}

}  // namespace ferrix::host
