// Exclusive creation with O_EXCL; rename(2) replaces the target atomically.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "host/audio/PendingFile.h"

namespace ferrix::host {

int CreateNewFile(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST ? 0 : -1;
  close(fd);
  return 1;
}

bool MoveFileOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace ferrix::host
