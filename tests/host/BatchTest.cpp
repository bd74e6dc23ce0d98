// --batch end to end: a folder tree through Ferrix on two workers gives the very bytes of single
// renders, a corrupt file is reported while the rest finish, and the batch never reads its own
// output.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "host/app/BatchJob.h"
#include "tests/host/HostTestSupport.h"

namespace ferrix::host::testing {
namespace {

namespace fs = std::filesystem;

TEST(Batch, TwentyNestedFilesOnTwoJobsMatchSingleRendersAndACorruptOneIsReported) {
  ScratchDir scratch;
  const std::string in = scratch.File("in");
  const std::string out = in + "/rendered";  // inside the input: must not be read back
  const char* extensions[] = {".wav", ".aiff", ".w64"};
  std::vector<std::string> names;
  for (int i = 0; i < 20; ++i) {
    const std::string name =
        std::string(i % 2 ? "a/" : "b/c/") + "f" + std::to_string(i) + extensions[i % 3];
    fs::create_directories(fs::path(in + "/" + name).parent_path());
    AudioData audio = TestSignal(1 + i % 2, 1500 + 97 * i, i % 4 ? 44100 : 48000);
    for (auto& channel : audio.channels) {
      for (double& v : channel)
        v *= 1.0 + 0.1 * i;  // hot enough to clip
    }
    audio.format = 0x000006 | (i % 3 == 0 ? 0x010000 : i % 3 == 1 ? 0x020000 : 0x0B0000);
    std::string error;
    ASSERT_TRUE(WriteAudioFile(in + "/" + name, audio, error)) << error;
    names.push_back(name);
  }
  std::ofstream(in + "/a/corrupt.wav") << "RIFF but nothing else";
  std::ofstream(in + "/a/notes.txt") << "not audio, not touched";

  const std::string ferrix = NativePath(FERRIX_MODULE);
  const std::vector<std::string> args = {"--plugin", ferrix, "--preset", "Kick", "--batch",
                                         in,         out,    "--jobs",   "2"};
  ProcessResult r = RunHost(args);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_NE(r.err.find("corrupt.wav"), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 20) << r.out;
  for (const std::string& name : names) {
    const std::string single = scratch.File("single" + fs::path(name).extension().string());
    ASSERT_EQ(RunHost({"--plugin", ferrix, "--preset", "Kick", "--quiet", in + "/" + name, single})
                  .exitCode,
              0);
    EXPECT_EQ(ReadTextFile(out + "/" + name), ReadTextFile(single)) << name;
  }
  // Again: the output folder inside the input is skipped, so the same 20 files and no more.
  EXPECT_EQ(FindBatchFiles(in, out).size(), 21u);
  r = RunHost(args);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 20) << r.out;
  EXPECT_FALSE(fs::exists(out + "/rendered"));
  EXPECT_FALSE(fs::exists(out + "/a/notes.txt"));

  r = RunHost({"--plugin", ferrix, "--batch", in, in + "/a/.."});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("the output folder is the input folder"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace ferrix::host::testing
