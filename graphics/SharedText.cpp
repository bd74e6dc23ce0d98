// SharedText: the sequence-counter protocol over word-sized atomics.
#include "graphics/SharedText.h"

#include <thread>

namespace {
// Length that fits kCapacity - 1 bytes without splitting a UTF-8 sequence.
size_t FittingLength(const char* text, size_t limit) {
  size_t length = std::strlen(text);
  if (length <= limit) return length;
  length = limit;
  while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
    --length;
  return length;
}
}  // namespace

void SharedText::Load(const std::atomic<uint64_t>* words, char* out) {
  for (int i = 0; i < kWords; ++i) {
    const uint64_t word = words[i].load(std::memory_order_acquire);
    std::memcpy(out + 8 * i, &word, 8);
  }
}

void SharedText::Current(char* out) const {
  Load(words_, out);
}

void SharedText::Store(const char* bytes) {
  for (int i = 0; i < kWords; ++i) {
    uint64_t word;
    std::memcpy(&word, bytes + 8 * i, 8);
    words_[i].store(word, std::memory_order_release);
  }
}

bool SharedText::Replace(const char* text) {
  char next[kCapacity] = {};
  if (text) std::memcpy(next, text, FittingLength(text, kCapacity - 1));
  char current[kCapacity];
  Current(current);
  if (std::memcmp(current, next, kCapacity) == 0) return false;
  // Odd while writing. Each word is stored with release: a reader whose acquire load sees a new
  // word thereby sees the odd count too, and its second look at the counter fails. (A release
  // fence after the odd count would do the same, but ThreadSanitizer does not model fences.) The
  // release of the even count publishes the words to readers that see it.
  const uint32_t sequence = sequence_.fetch_add(1, std::memory_order_relaxed);
  Store(next);
  sequence_.store(sequence + 2, std::memory_order_release);
  return true;
}

void SharedText::Read(char* out) const {
  for (;;) {
    const uint32_t before = sequence_.load(std::memory_order_acquire);
    if (before & 1) {
      std::this_thread::yield();  // a write is under way
      continue;
    }
    // Acquire loads of the words (pairing with the writer's release stores) keep the second look
    // at the counter after them, and make it see any write whose words they saw.
    Load(words_, out);
    if (sequence_.load(std::memory_order_relaxed) == before) break;
  }
  out[kCapacity - 1] = '\0';
}
