// SpawnedProgram: posix_spawnp, and a process-wide list of the children still to be reaped.
#include "graphics_x11/SpawnedProgram.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <mutex>
#include <vector>

extern char** environ;

namespace {

std::mutex spawnedMutex;
std::vector<pid_t> spawned;  // guarded by spawnedMutex

int ReapLocked() {
  spawned.erase(std::remove_if(spawned.begin(), spawned.end(),
                               [](pid_t pid) {
                                 int status = 0;
                                 // Gone already (someone else reaped it) counts as finished.
                                 return waitpid(pid, &status, WNOHANG) != 0;
                               }),
                spawned.end());
  return static_cast<int>(spawned.size());
}

}  // namespace

bool SpawnProgram(const char* program, const char* argument) {
  std::lock_guard<std::mutex> lock(spawnedMutex);
  ReapLocked();
  char* argv[] = {const_cast<char*>(program), const_cast<char*>(argument), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0) return false;
  spawned.push_back(pid);
  return true;
}

int ReapSpawnedPrograms() {
  std::lock_guard<std::mutex> lock(spawnedMutex);
  return ReapLocked();
}
