// EditorAudio, the processing thread behind an open editor: a frame limit is met exactly, and
// paced processing keeps to the clock, never more than a block ahead of real time.
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
    const auto end = Clock::now() + 10s;
    while (!audio.Finished() && Clock::now() < end)
      std::this_thread::sleep_for(1ms);
    audio.Stop();
    EXPECT_TRUE(audio.Finished());
    EXPECT_EQ(audio.FramesProcessed(), limit);
    EXPECT_EQ(host.SamplePosition(), static_cast<double>(limit));
  }
}

TEST_F(EditorAudioTest, PacedProcessingFollowsTheClock) {
  EditorAudio audio(*loaded.plugin, host, loop, {512, false, true, -1});
  std::string error;
  const Clock::time_point start = Clock::now();
  ASSERT_TRUE(audio.Start(error)) << error;
  std::this_thread::sleep_for(400ms);
  const int64_t frames = audio.FramesProcessed();
  const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  audio.Stop();
  EXPECT_FALSE(audio.Finished());
  // Ahead by at most the block in progress; behind only by what a busy machine delays.
  EXPECT_LE(frames, static_cast<int64_t>(elapsed * 44100.0) + 512);
  EXPECT_GE(frames, static_cast<int64_t>(0.25 * 0.4 * 44100.0));
}

}  // namespace
}  // namespace ferrix::host::testing
