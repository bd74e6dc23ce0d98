// Watchdog: runs a call that must come back (closing an editor, a host request); one that never
// does (a deadlock) ends the test run with its name instead of hanging it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

// Long enough for a loaded machine under a sanitizer; only a hung call reaches it.
constexpr auto kHungAfter = std::chrono::seconds(60);

template <typename Call>
void UnderWatchdog(const char* what, Call&& call) {
  std::mutex mutex;
  std::condition_variable returned;
  bool done = false;
  std::thread dog([&] {
    std::unique_lock<std::mutex> lock(mutex);
    if (!returned.wait_for(lock, kHungAfter, [&] { return done; })) {
      std::fprintf(stderr, "%s never returned: deadlock\n", what);
      std::abort();
    }
  });
  call();
  {
    std::lock_guard<std::mutex> lock(mutex);
    done = true;
  }
  returned.notify_all();
  dog.join();
}
