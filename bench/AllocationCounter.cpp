#include "bench/AllocationCounter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> allocationCount{0};
std::atomic<std::size_t> heldBytes{0};
std::atomic<std::size_t> mostBytes{0};

// Sizes are what malloc really reserved, so that freeing subtracts exactly what was added.
void* allocate(std::size_t size) {
  allocationCount.fetch_add(1, std::memory_order_relaxed);
  void* memory = std::malloc(size ? size : 1);
  if (!memory) throw std::bad_alloc();
  const std::size_t held = heldBytes.fetch_add(malloc_usable_size(memory), std::memory_order_relaxed) +
                           malloc_usable_size(memory);
  std::size_t most = mostBytes.load(std::memory_order_relaxed);
  while (held > most && !mostBytes.compare_exchange_weak(most, held, std::memory_order_relaxed)) {
  }
  return memory;
}

void release(void* memory) {
  if (memory == nullptr) return;
  heldBytes.fetch_sub(malloc_usable_size(memory), std::memory_order_relaxed);
  std::free(memory);
}

}  // namespace

std::size_t AllocationCounter::allocations() { return allocationCount.load(std::memory_order_relaxed); }
std::size_t AllocationCounter::liveBytes() { return heldBytes.load(std::memory_order_relaxed); }
std::size_t AllocationCounter::peakBytes() { return mostBytes.load(std::memory_order_relaxed); }
void AllocationCounter::resetPeak() { mostBytes.store(liveBytes(), std::memory_order_relaxed); }

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* memory) noexcept { release(memory); }
void operator delete[](void* memory) noexcept { release(memory); }
void operator delete(void* memory, std::size_t) noexcept { release(memory); }
void operator delete[](void* memory, std::size_t) noexcept { release(memory); }
