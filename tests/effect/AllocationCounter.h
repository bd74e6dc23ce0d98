// AllocationCounter: counts heap allocations made while counting is on. The test binary replaces
// operator new in every form (AllocationCounterNew.cpp) and, where the C library allows it without
// a sanitizer in the way, malloc, calloc and realloc (AllocationCounterMalloc_glibc.cpp).
#pragma once

#include <atomic>

namespace allocation_counter {

inline std::atomic<bool> counting{false};
inline std::atomic<long> count{0};

inline void Note() {
  if (counting.load(std::memory_order_relaxed)) count.fetch_add(1, std::memory_order_relaxed);
}

// True when malloc and its kin are counted too.
bool CountsMalloc();

}  // namespace allocation_counter
