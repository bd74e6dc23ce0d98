// A folder of its own for each running test, "<prefix>-<process id>-<suite>-<test>" in the
// temporary folder, so tests that ctest runs in parallel never share files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

int TestProcessId();  // per platform: ProcessId_posix.cpp / ProcessId_win.cpp

class ScratchFolder {
 public:
  explicit ScratchFolder(const char* prefix = "ferrix-raster") {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(prefix) + "-" + std::to_string(TestProcessId()) + "-" +
                       info->test_suite_name() + "-" + info->name();
    for (char& c : name)
      c = c == '/' ? '_' : c;
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};
