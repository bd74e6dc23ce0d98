// glibc builds without sanitizers: malloc, calloc and realloc are replaced too, and noted before
// they go on to glibc's own allocator.
#include <cstddef>

#include "tests/effect/AllocationCounter.h"

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);

void* malloc(std::size_t size) {
  allocation_counter::Note();
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
  allocation_counter::Note();
  return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
  allocation_counter::Note();
  return __libc_realloc(p, size);
}
}

bool allocation_counter::CountsMalloc() {
  return true;
}
