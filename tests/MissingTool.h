// Tests that need a tool this machine may lack (Xvfb, a third-party plug-in from Debian's
// packages) are skipped with the reason when it is missing, so that a developer's run stays green.
// CI (CI=true) must have every tool: there the missing one fails the test, named.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

// Why the current test cannot run, for GTEST_SKIP(); under CI it fails the test as well, fatally,
// so that a fixture's SetUp ends the test there (a test that failed is reported failed, not
// skipped).
inline std::string MissingTool(const std::string& tool, const std::string& why) {
  const char* ci = std::getenv("CI");
  if (ci && std::strcmp(ci, "true") == 0) [&] { FAIL() << "CI needs " << tool << ": " << why; }();
  return why;
}
