#include "heap_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> in_use{0};
std::atomic<std::size_t> peak{0};

// Each block carries its size in front of it, so that delete knows it.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
  void* block = std::malloc(size + kHeader);
  if (!block) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  const std::size_t now = in_use += size;
  std::size_t seen = peak.load();
  while (now > seen && !peak.compare_exchange_weak(seen, now)) {
  }
  return static_cast<char*>(block) + kHeader;
}

void Free(void* pointer) {
  if (!pointer) return;
  void* block = static_cast<char*>(pointer) - kHeader;
  in_use -= *static_cast<std::size_t*>(block);
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* pointer) noexcept { Free(pointer); }
void operator delete[](void* pointer) noexcept { Free(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { Free(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { Free(pointer); }

std::size_t HeapBytesInUse() { return in_use.load(); }
std::size_t HeapPeakBytes() { return peak.load(); }
void ResetHeapPeak() { peak.store(in_use.load()); }
