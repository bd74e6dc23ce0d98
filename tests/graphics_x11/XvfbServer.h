// XvfbServer: a private virtual X server for the tests that need a display. It picks a free
// display number itself and points DISPLAY at it while it runs.
#pragma once

#include <string>

#include <sys/types.h>

class XvfbServer {
 public:
  // screen is Xvfb's "WIDTHxHEIGHTxDEPTH" for screen 0.
  explicit XvfbServer(const char* screen = "320x240x24");
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // Empty when the server runs; otherwise why it does not.
  const std::string& Failure() const { return failure_; }

 private:
  pid_t pid_ = -1;
  std::string failure_;
};
