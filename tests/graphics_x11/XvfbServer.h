// XvfbServer: a private virtual X server for the tests that need a display. It picks a free
// display number itself and points DISPLAY at it while it runs.
#pragma once

#include <string>

#include <sys/types.h>

namespace testing {
class TestInfo;
}

class XvfbServer {
 public:
  // screen: Xvfb's WIDTHxHEIGHTxDEPTH; the default is enough for the test editors.
  explicit XvfbServer(const char* screen = "320x240x24");
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // Empty when the server runs; otherwise why it does not, for GTEST_SKIP(). Asked inside a test,
  // it fails that test too, unless Xvfb is merely not installed outside CI (MissingTool).
  std::string Failure() const;

 private:
  pid_t pid_ = -1;
  bool missing_ = false;
  std::string failure_;
  mutable const testing::TestInfo* failed_ = nullptr;  // the test already failed for it
};
