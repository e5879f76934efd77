// Replaces the global operator new and delete of the test executable; they allocate with
// malloc and free, which the sanitizers still watch.
#include "core/tests/allocation_probe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> g_probing{false};
std::atomic<std::size_t> g_largest{0};

void Record(std::size_t size) {
  if (!g_probing.load(std::memory_order_relaxed)) return;
  std::size_t seen = g_largest.load();
  while (size > seen && !g_largest.compare_exchange_weak(seen, size)) {
  }
}

}  // namespace

AllocationProbe::AllocationProbe() {
  g_largest = 0;
  g_probing = true;
}

AllocationProbe::~AllocationProbe() { g_probing = false; }

std::size_t AllocationProbe::Largest() const { return g_largest.load(); }

namespace {

void* Allocate(std::size_t size) noexcept {
  Record(size);
  return std::malloc(size ? size : 1);
}

void* AllocateOrThrow(std::size_t size) {
  if (void* memory = Allocate(size)) return memory;
  throw std::bad_alloc();
}

}  // namespace

// Every plain form is replaced, so that no block is allocated by one allocator and freed by
// the other; the aligned forms stay with the runtime, in pairs.
void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
