// GrowBuffer: a growable byte buffer with a fixed growth rule, the storage under every list,
// text and state chunk of the plug-in. Failed growth keeps the old contents and size.
#pragma once

#include <cstddef>

class GrowBuffer {
 public:
  explicit GrowBuffer(int granularity = 4096, int minimumAllocation = 0);
  ~GrowBuffer();
  GrowBuffer(const GrowBuffer&) = delete;
  GrowBuffer& operator=(const GrowBuffer&) = delete;

  // Null while the size is 0.
  void* Data() const { return size_ > 0 ? data_ : nullptr; }
  int Size() const { return size_; }
  int Allocated() const { return allocated_; }
  int Granularity() const { return granularity_; }

  // Sets the size (negative sizes count as 0) and answers Data(). When the storage cannot be
  // grown the size stays as it was: callers compare Size() to detect it.
  void* Resize(int newSize, bool allowShrink = true);
  // Grows by `count` zero-filled bytes and answers the old size.
  int GrowZeroed(int count);

  // The allocation the growth rule picks for a new size with a granularity.
  static long long AllocationFor(long long newSize, int granularity);

  // Test seam: the three allocation functions. Null restores the C library's.
  struct Allocator {
    void* (*reallocate)(void*, std::size_t);
    void* (*allocate)(std::size_t);
    void (*release)(void*);
  };
  static void SetAllocatorForTesting(const Allocator* allocator);

 private:
  unsigned char* data_ = nullptr;
  int granularity_;
  int allocated_ = 0;
  int size_ = 0;
  int minimumAllocation_;
};
