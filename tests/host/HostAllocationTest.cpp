// The host callback on the audio path allocates nothing, however many requests a plug-in makes:
// counts every operator new of this test executable (a separate one, so that no other test runs
// with the counting allocator).
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "host/Host.h"

namespace {
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
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

}  // namespace
}  // namespace ferrix::host
