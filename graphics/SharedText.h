// SharedText: a short text one thread replaces while another reads it, without locks: the writer
// never allocates or waits (a sequence counter, odd while writing), the reader retries until it
// has copied a text no write overlapped. One writer at a time (the plug-in lock sees to that).
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>

class SharedText {
 public:
  // Bytes including the terminating zero; longer texts are cut at a character boundary.
  static constexpr int kCapacity = 128;

  // Writer side. Answers false, changing nothing, when the text equals the current one.
  bool Replace(const char* text);
  // Reader side: a whole text, as one Replace left it, into out (kCapacity bytes).
  void Read(char* out) const;

 private:
  static constexpr int kWords = kCapacity / 8;

  // The writer's view of the current bytes (only the writer changes them).
  void Current(char* out) const;
  void Store(const char* bytes);
  static void Load(const std::atomic<uint64_t>* words, char* out);

  std::atomic<uint32_t> sequence_{0};
  std::atomic<uint64_t> words_[kWords] = {};
};
