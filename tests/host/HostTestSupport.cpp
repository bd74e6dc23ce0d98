// Scratch folders live under the system temporary folder, named after the process and the test.
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <system_error>

namespace ferrix::host::testing {

std::string HostExe() {
  return NativePath(FERRIX_HOST_EXE);
}
std::string BesideHost(const std::string& name) {
  const std::string exe = HostExe();
  return exe.substr(0, exe.find_last_of("/\\") + 1) + name;
}

std::string GainChunksModule() {
  return NativePath(TEST_GAIN_CHUNKS_MODULE);
}
std::string GainParamsModule() {
  return NativePath(TEST_GAIN_PARAMS_MODULE);
}

namespace {

// "<prefix>-<process id>-<suite>-<test>" in the temporary folder: unique per running test, so
// that suites of two build trees (or two checkouts) may run at the same time.
std::filesystem::path TestTempPath(const char* prefix) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(prefix) + "-" + std::to_string(ProcessId()) + "-" +
                     info->test_suite_name() + "-" + info->name();
  for (char& c : name)
    c = c == '/' ? '_' : c;  // parameterised tests have slashes in their names
  return std::filesystem::temp_directory_path() / name;
}

}  // namespace

ScratchDir::ScratchDir() {
  dir_ = TestTempPath("ferrix-host");
  std::filesystem::remove_all(dir_);
  std::filesystem::create_directories(dir_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

std::string ScratchDir::File(const std::string& name) const {
  return (dir_ / name).string();
}

AudioData TestSignal(int channels, int frames, int sampleRate) {
  AudioData audio;
  audio.sampleRate = sampleRate;
  audio.channels.assign(static_cast<size_t>(channels),
                        std::vector<double>(static_cast<size_t>(frames)));
  for (int c = 0; c < channels; ++c) {
    for (int i = 0; i < frames; ++i) {
      const int step = (i * (c + 3)) % 161;  // 0..160
      audio.channels[c][i] = (step - 80) / 100.0;
    }
  }
  return audio;
}

void WriteTestWav(const std::string& path, const AudioData& audio) {
  AudioData copy = audio;
  copy.format = 0x010006;  // WAV, 32-bit float
  std::string error;
  ASSERT_TRUE(WriteAudioFile(path, copy, error)) << error;
}

AudioData ReadBack(const std::string& path) {
  AudioData audio;
  std::string error;
  EXPECT_TRUE(ReadAudioFile(path, audio, error)) << error;
  return audio;
}

// Each run gets files of its own and their removal may fail: under wine a finished child's
// handles are sometimes still open for a moment (a sharing violation), which must neither fail
// the test nor reach the next run through a reused name.
ProcessResult RunHost(const std::vector<std::string>& args) {
  static std::atomic<int> runs{0};
  const std::string base = TestTempPath("ferrix-host-run").string() + "-" + std::to_string(++runs);
  ProcessResult result = RunProcess(HostExe(), args, base + ".out", base + ".err");
  std::error_code ignored;
  for (const char* suffix : {".out", ".err"})
    std::filesystem::remove(base + suffix, ignored);
  return result;
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace ferrix::host::testing
