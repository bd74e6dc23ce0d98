// EditorAudio, the processing thread behind an open editor: a frame limit is met exactly, and
// paced processing is never more than a block ahead of real time.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "host/editor/EditorAudio.h"
#include "host/plugin/Plugin.h"
#include "tests/host/HostTestSupport.h"

namespace ferrix::host::testing {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

class EditorAudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loaded = Plugin::Load(GainParamsModule(), host);
    ASSERT_TRUE(loaded.plugin) << loaded.message;
    loaded.plugin->Open();
    loaded.plugin->SetSampleRate(44100.0);
    loaded.plugin->SetBlockSize(512);
  }
  Host host;
  LoadResult loaded;
  AudioData loop = TestSignal(2, 3000);
};

TEST_F(EditorAudioTest, FrameLimitsAreMetExactlyAcrossBlocksAndLoopEnds) {
  for (int64_t limit : {0, 1, 511, 512, 7001}) {  // 7001: two loop ends, a partial last block
    SCOPED_TRACE(limit);
    host.RewindTransport();
    EditorAudio audio(*loaded.plugin, host, loop, {512, false, false, limit});
    std::string error;
    ASSERT_TRUE(audio.Start(error)) << error;
    for (const auto end = Clock::now() + 20s; !audio.Finished(); std::this_thread::yield())
      ASSERT_LT(Clock::now(), end) << "the limit was never reached";
    audio.Stop();
    EXPECT_TRUE(audio.Finished());
    EXPECT_EQ(audio.FramesProcessed(), limit);
    EXPECT_EQ(host.SamplePosition(), static_cast<double>(limit));
  }
}

TEST_F(EditorAudioTest, PacedProcessingNeverRunsAheadOfTheClock) {
  EditorAudio audio(*loaded.plugin, host, loop, {512, false, true, -1});
  std::string error;
  const Clock::time_point start = Clock::now();
  ASSERT_TRUE(audio.Start(error)) << error;
  // A few blocks (unpaced, that would be a matter of microseconds).
  for (const auto end = Clock::now() + 20s; audio.FramesProcessed() < 4 * 512;
       std::this_thread::yield())
    ASSERT_LT(Clock::now(), end) << "no processing";
  const int64_t frames = audio.FramesProcessed();
  const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  audio.Stop();
  EXPECT_FALSE(audio.Finished());
  // Ahead by at most the block in progress; a busy machine only slows it down.
  EXPECT_LE(frames, static_cast<int64_t>(elapsed * 44100.0) + 512);
}

}  // namespace
}  // namespace ferrix::host::testing
