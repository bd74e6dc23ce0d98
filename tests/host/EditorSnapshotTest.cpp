// ferrix-host --editor-snapshot end to end: Ferrix's editor, opened through effEditOpen in the
// host's window and read back from the window system, holds exactly the pixels the headless
// editor draws after the same audio; and every refusal is one error line without a picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "raster/LoadPng.h"
#include "tests/host/EditorDisplay.h"
#include "tests/host/HostTestSupport.h"

namespace ferrix::host::testing {
namespace {

std::unique_ptr<RasterBitmap> LoadPicture(const std::string& path) {
  return std::unique_ptr<RasterBitmap>(LoadPngFile(path.c_str()));
}

class EditorSnapshot : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!display.Failure().empty()) GTEST_SKIP() << display.Failure();
  }
  EditorDisplay display;
  ScratchDir scratch;
};

// The demo loop's meters after a stretch of drums differ visibly from frame to frame, so equal
// pictures mean the same frames went through the plug-in and the window shows its canvas whole.
TEST_F(EditorSnapshot, FerrixEqualsTheHeadlessEditorAfterTheSameAudio) {
  struct Case {
    std::string preset, seconds;
  };
  for (const Case& c : std::vector<Case>{{"-", ""}, {"Kick", "0.5"}, {"Snare", "2.25"}}) {
    SCOPED_TRACE(c.preset);
    const std::string shot = scratch.File("shot.png"), expected = scratch.File("expected.png");
    std::vector<std::string> args = {"--editor-snapshot", shot, "--preset", c.preset};
    if (!c.seconds.empty()) args.insert(args.end(), {"--after-seconds", c.seconds});
    const ProcessResult r = RunHost(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const ProcessResult headless = RunProcess(
        NativePath(FERRIX_EDITOR_SNAPSHOT_EXE),
        {BesideHost("ferrix-demo.wav"), expected, c.preset, c.seconds.empty() ? "1" : c.seconds},
        scratch.File("tool.out"), scratch.File("tool.err"));
    ASSERT_EQ(headless.exitCode, 0) << headless.err;

    auto got = LoadPicture(shot), want = LoadPicture(expected);
    ASSERT_TRUE(got && want);
    ASSERT_EQ(got->Width(), 640);
    ASSERT_EQ(got->Height(), 480);
    ASSERT_EQ(want->Width(), 640);
    ASSERT_EQ(want->Height(), 480);
    // A window has no alpha: colours only.
    int differing = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        const Pixel a = got->Bits()[y * got->RowSpan() + x] & 0xFFFFFF;
        const Pixel b = want->Bits()[y * want->RowSpan() + x] & 0xFFFFFF;
        if (a != b && differing++ == 0) {
          firstX = x;
          firstY = y;
        }
      }
    }
    EXPECT_EQ(differing, 0) << "first at " << firstX << "," << firstY;
  }
}

TEST_F(EditorSnapshot, RefusalsAreOneErrorLineAndNoPicture) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string message;
  };
  const std::string shot = scratch.File("shot.png");
  const std::vector<Case> cases = {
      {{"--plugin", GainParamsModule(), "--editor-snapshot", shot}, 1, "has no editor"},
      {{"--editor-snapshot", shot, "--after-seconds", "-1"}, 2, "--after-seconds needs"},
      {{"--editor-snapshot", shot, "--after-seconds", "soon"}, 2, "--after-seconds needs"},
      {{"--editor-snapshot", shot, "--after-seconds", "3601"}, 2, "--after-seconds needs"},
      {{"--editor", "--after-seconds", "1"}, 2, "goes with --editor-snapshot"},
      {{"--editor-snapshot", scratch.File("shot.bmp")}, 1, "a snapshot is a .png file"},
      {{"--editor-snapshot", shot, "--input", scratch.File("missing.wav")}, 1, "missing.wav"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[c.args.size() - 1]);
    const ProcessResult r = RunHost(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_FALSE(std::filesystem::exists(shot));
  }
}

}  // namespace
}  // namespace ferrix::host::testing
