#include "vxHeapCounter.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

struct THeapCounter {
  bool Active = false;
  std::ptrdiff_t Current = 0;  // bytes above the start of the measurement; may go negative
  std::ptrdiff_t Peak = 0;
  size_t Allocations = 0;
};
THeapCounter HeapCounter;

// The heap a block takes: what it can hold, and the word before it in which glibc keeps its
// size (its alignment padding is part of what it can hold).
std::ptrdiff_t BlockBytes(void* Block) {
  return static_cast<std::ptrdiff_t>(malloc_usable_size(Block) + sizeof(size_t));
}

void* CountedAlloc(std::size_t Size, std::size_t Alignment) {
  if (Size == 0) Size = 1;
  void* Block = Alignment <= alignof(std::max_align_t)
                    ? std::malloc(Size)
                    : std::aligned_alloc(Alignment, (Size + Alignment - 1) / Alignment * Alignment);
  if (Block != nullptr && HeapCounter.Active) [[unlikely]] {
    HeapCounter.Current += BlockBytes(Block);
    ++HeapCounter.Allocations;
    HeapCounter.Peak = std::max(HeapCounter.Peak, HeapCounter.Current);
  }
  return Block;
}

void* CountedNew(std::size_t Size, std::size_t Alignment = alignof(std::max_align_t)) {
  void* Block = CountedAlloc(Size, Alignment);
  if (Block == nullptr) throw std::bad_alloc();
  return Block;
}

void CountedFree(void* Block) noexcept {
  if (Block == nullptr) return;
  if (HeapCounter.Active) [[unlikely]]
    HeapCounter.Current -= BlockBytes(Block);
  std::free(Block);
}

}  // namespace

void* operator new(std::size_t Size) { return CountedNew(Size); }
void* operator new[](std::size_t Size) { return CountedNew(Size); }
void* operator new(std::size_t Size, std::align_val_t Align) { return CountedNew(Size, static_cast<size_t>(Align)); }
void* operator new[](std::size_t Size, std::align_val_t Align) { return CountedNew(Size, static_cast<size_t>(Align)); }
void* operator new(std::size_t Size, const std::nothrow_t&) noexcept {
  return CountedAlloc(Size, alignof(std::max_align_t));
}
void* operator new[](std::size_t Size, const std::nothrow_t&) noexcept {
  return CountedAlloc(Size, alignof(std::max_align_t));
}
void operator delete(void* Block) noexcept { CountedFree(Block); }
void operator delete[](void* Block) noexcept { CountedFree(Block); }
void operator delete(void* Block, std::size_t) noexcept { CountedFree(Block); }
void operator delete[](void* Block, std::size_t) noexcept { CountedFree(Block); }
void operator delete(void* Block, std::align_val_t) noexcept { CountedFree(Block); }
void operator delete[](void* Block, std::align_val_t) noexcept { CountedFree(Block); }
void operator delete(void* Block, std::size_t, std::align_val_t) noexcept { CountedFree(Block); }
void operator delete[](void* Block, std::size_t, std::align_val_t) noexcept { CountedFree(Block); }
void operator delete(void* Block, const std::nothrow_t&) noexcept { CountedFree(Block); }
void operator delete[](void* Block, const std::nothrow_t&) noexcept { CountedFree(Block); }

namespace vxbench {

THeapMeasurement::THeapMeasurement() { HeapCounter = {true, 0, 0, 0}; }
THeapMeasurement::~THeapMeasurement() { HeapCounter.Active = false; }
std::ptrdiff_t THeapMeasurement::GetPeak() const { return HeapCounter.Peak; }
std::ptrdiff_t THeapMeasurement::GetCurrent() const { return HeapCounter.Current; }
size_t THeapMeasurement::GetAllocations() const { return HeapCounter.Allocations; }

}  // namespace vxbench
