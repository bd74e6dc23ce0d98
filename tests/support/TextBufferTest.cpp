#include "support/TextBuffer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

TEST(TextBuffer, CopiesUpToTheLimitAndStopsAtZero) {
  TextBuffer text;
  EXPECT_STREQ(text.Get(), "");
  text.Set("Input 1", 5);
  EXPECT_STREQ(text.Get(), "Input");
  EXPECT_EQ(text.Length(), 5);
  text.Set("ab\0cd", 5);
  EXPECT_STREQ(text.Get(), "ab");
  text.Set("a longer text than before");
  EXPECT_STREQ(text.Get(), "a longer text than before");
  text.Set(nullptr);
  EXPECT_STREQ(text.Get(), "");
  EXPECT_EQ(text.Length(), 0);
}

// An allocator under which every resize moves the block: a released block is filled with '#'
// and kept (reading it is then a wrong text, not a crime) until the test frees it.
std::map<void*, size_t> gBlockSizes;
std::vector<void*> gReleased;
void* NeverInPlace(void*, size_t) {
  return nullptr;
}
void* Allocate(size_t n) {
  void* block = std::malloc(n);
  gBlockSizes[block] = n;
  return block;
}
void Release(void* block) {
  if (!block) return;
  std::memset(block, '#', gBlockSizes[block]);
  gReleased.push_back(block);
}
const GrowBuffer::Allocator kMoving{NeverInPlace, Allocate, Release};

TEST(TextBuffer, SettingFromItsOwnTextIsSafe) {
  GrowBuffer::SetAllocatorForTesting(&kMoving);
  {
    // The long text's tail is short enough for the buffer to shrink.
    TextBuffer text((std::string(1000, 'a') + "overlap").c_str());
    text.Set(text.Get() + 1004);
    EXPECT_STREQ(text.Get(), "lap");
  }
  GrowBuffer::SetAllocatorForTesting(nullptr);
  for (void* block : gReleased)
    std::free(block);
}

}  // namespace
