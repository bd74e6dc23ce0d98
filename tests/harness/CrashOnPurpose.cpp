// Crashes with an access violation, so that the test harness can prove a crash fails a run.
#include <cstdio>

int main() {
  volatile int* nowhere = nullptr;
  std::puts("crashing on purpose");
  std::fflush(stdout);
  *nowhere = 1;
  return 0;
}
