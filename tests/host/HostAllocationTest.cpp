// The host callback on the audio path allocates nothing, however many requests a plug-in makes:
// counts every operator new of this test executable (a separate one, so that no other test runs
// with the counting allocator).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <thread>

#include "host/editor/EditorAudio.h"
#include "host/plugin/Host.h"
#include "host/plugin/Plugin.h"

// The replacements below pair malloc with free; GCC cannot see that once it inlines a container's
// deallocation into this file.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
// Plug-ins allocate with the nothrow form too; it must pair with the delete below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace ferrix::host {
namespace {

TEST(HostAllocation, AnsweringRequestsForAnHourOfBlocksAllocatesNothing) {
  Host host;
  AEffect effect{};
  effect.user = &host;
  char feature[] = "sendVstTimeInfo";
  const long before = gAllocations.load();
  // An hour at 44.1 kHz in blocks of 512 is about 310,000 blocks; each asks for the time and
  // a feature, and reports an automation value.
  for (int block = 0; block < 310000; ++block) {
    Host::Callback()(&effect, audioMasterGetTime, 0, kVstTempoValid, nullptr, 0.0f);
    Host::Callback()(&effect, audioMasterCanDo, 0, 0, feature, 0.0f);
    Host::Callback()(&effect, audioMasterAutomate, 1, 0, nullptr, 0.5f);
  }
  EXPECT_EQ(gAllocations.load() - before, 0);
  EXPECT_EQ(host.CountRequests(audioMasterGetTime), 310000);
}

#ifdef TEST_GAIN_PARAMS_MODULE  // a Linux path: the Windows build loads no module here
// Once running, the editor's processing thread allocates nothing per block, across loop ends
// and partial blocks (a 1000-frame loop in blocks of 384).
TEST(HostAllocation, EditorAudioAllocatesNothingPerBlock) {
  Host host;
  LoadResult loaded = Plugin::Load(TEST_GAIN_PARAMS_MODULE, host);
  ASSERT_TRUE(loaded.plugin) << loaded.message;
  loaded.plugin->Open();
  loaded.plugin->SetBlockSize(384);
  AudioData loop;
  loop.sampleRate = 44100;
  loop.channels.assign(2, std::vector<double>(1000, 0.25));
  EditorAudio audio(*loaded.plugin, host, loop, {384, false, false, -1});
  std::string error;
  ASSERT_TRUE(audio.Start(error)) << error;
  while (audio.FramesProcessed() == 0)
    std::this_thread::yield();
  const long before = gAllocations.load();
  const int64_t from = audio.FramesProcessed();
  while (audio.FramesProcessed() < from + 500000)
    std::this_thread::yield();
  const long after = gAllocations.load();
  audio.Stop();
  EXPECT_EQ(after - before, 0);
}
#endif

}  // namespace
}  // namespace ferrix::host
