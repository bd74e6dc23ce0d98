// Replacements of every operator new and delete: each allocation is noted, memory comes from
// malloc (over-aligned blocks keep malloc's pointer just below the aligned one).
#include <cstdint>
#include <cstdlib>
#include <new>

#include "tests/effect/AllocationCounter.h"

namespace {

void* Allocate(std::size_t size) {
  allocation_counter::Note();
  return std::malloc(size == 0 ? 1 : size);
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
  allocation_counter::Note();
  const std::size_t a = static_cast<std::size_t>(alignment);
  void* raw = std::malloc(size + a + sizeof(void*));
  if (!raw) return nullptr;
  const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(raw) + sizeof(void*);
  void** aligned = reinterpret_cast<void**>((start + a - 1) & ~(a - 1));
  aligned[-1] = raw;
  return aligned;
}

void FreeAligned(void* p) {
  if (p) std::free(static_cast<void**>(p)[-1]);
}

}  // namespace

void* operator new(std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  if (void* p = AllocateAligned(size, alignment)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return operator new(size, alignment);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return AllocateAligned(size, alignment);
}

void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
  FreeAligned(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
  FreeAligned(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
  FreeAligned(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
  FreeAligned(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept {
  FreeAligned(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept {
  FreeAligned(p);
}
