// GrowBuffer's growth rule: size plus the larger of the granularity and half the size; large
// granularities round to whole pages so that the block plus the allocator's header fills them.
#include "support/GrowBuffer.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

constexpr long long kPage = 4096;
constexpr long long kLargestExtra = 4 * 1024 * 1024;
constexpr long long kAllocatorHeader = 96;

const GrowBuffer::Allocator kLibraryAllocator{std::realloc, std::malloc, std::free};
const GrowBuffer::Allocator* gAllocator = &kLibraryAllocator;

}  // namespace

void GrowBuffer::SetAllocatorForTesting(const Allocator* allocator) {
  gAllocator = allocator ? allocator : &kLibraryAllocator;
}

GrowBuffer::GrowBuffer(int granularity, int minimumAllocation)
    : granularity_(std::max(granularity, 1)), minimumAllocation_(std::max(minimumAllocation, 0)) {}

GrowBuffer::~GrowBuffer() {
  gAllocator->release(data_);
}

long long GrowBuffer::AllocationFor(long long newSize, int granularity) {
  long long extra = std::max<long long>(granularity, newSize / 2);
  if (granularity < kPage) return newSize + extra;
  extra = std::clamp(extra / kPage * kPage, kPage, kLargestExtra);
  return (newSize + extra + kAllocatorHeader) / kPage * kPage - kAllocatorHeader;
}

void* GrowBuffer::Resize(int newSize, bool allowShrink) {
  newSize = std::max(newSize, 0);
  if (newSize == size_) return Data();

  const bool grow = newSize > allocated_;
  const bool shrink = allowShrink && newSize < size_ && newSize < allocated_ / 2 &&
                      allocated_ - newSize > 4LL * granularity_;
  if (grow || shrink) {
    long long wanted =
        std::max<long long>(AllocationFor(newSize, granularity_), minimumAllocation_);
    if (wanted > INT_MAX) wanted = std::max(newSize, minimumAllocation_);
    const std::size_t bytes = static_cast<std::size_t>(wanted);
    auto* fresh = static_cast<unsigned char*>(gAllocator->reallocate(data_, bytes));
    if (!fresh) {
      // Some allocators cannot move a block in place: allocate, copy and free instead.
      fresh = static_cast<unsigned char*>(gAllocator->allocate(bytes));
      if (!fresh) return Data();
      if (data_) std::memcpy(fresh, data_, static_cast<std::size_t>(std::min(size_, newSize)));
      gAllocator->release(data_);
    }
    data_ = fresh;
    allocated_ = static_cast<int>(wanted);
  }
  size_ = newSize;
  return Data();
}

int GrowBuffer::GrowZeroed(int count) {
  const int oldSize = size_;
  if (count <= 0 || count > INT_MAX - oldSize) return oldSize;
  Resize(oldSize + count);
  if (size_ == oldSize + count) std::memset(data_ + oldSize, 0, static_cast<std::size_t>(count));
  return oldSize;
}
