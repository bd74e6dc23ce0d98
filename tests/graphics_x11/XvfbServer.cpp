// XvfbServer: starts Xvfb (found on PATH) with -displayfd, which writes back the display number it
// found free.
#include "tests/graphics_x11/XvfbServer.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "tests/MissingTool.h"

namespace {

std::string FindOnPath(const char* program) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

}  // namespace

XvfbServer::XvfbServer(const char* screen) {
  const std::string program = FindOnPath("Xvfb");
  if (program.empty()) {
    missing_ = true;
    failure_ = "Xvfb is not on PATH (package xvfb)";
    return;
  }
  int fds[2];
  if (pipe(fds) != 0) {
    failure_ = "pipe failed";
    return;
  }
  pid_ = fork();
  if (pid_ == 0) {
    close(fds[0]);
    const std::string fd = std::to_string(fds[1]);
    execl(program.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-nolisten",
          "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string number;
  pollfd wait{fds[0], POLLIN, 0};
  // The server writes the number and a newline once it accepts connections; the timeout only
  // ends a hung start.
  while (number.find('\n') == std::string::npos && poll(&wait, 1, 60000) > 0) {
    char buffer[16];
    const ssize_t got = read(fds[0], buffer, sizeof buffer);
    if (got <= 0) break;
    number.append(buffer, static_cast<size_t>(got));
  }
  close(fds[0]);
  if (number.find('\n') == std::string::npos) {
    failure_ = "Xvfb did not start";
    return;
  }
  setenv("DISPLAY", (":" + number.substr(0, number.find('\n'))).c_str(), 1);
}

std::string XvfbServer::Failure() const {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  if (failure_.empty() || test == nullptr || test == failed_) return failure_;
  failed_ = test;
  if (missing_) return MissingTool("Xvfb", failure_);
  [&] { FAIL() << failure_; }();  // fatal: a fixture's SetUp ends the test
  return failure_;
}

XvfbServer::~XvfbServer() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
  unsetenv("DISPLAY");
}
