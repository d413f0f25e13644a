// Memory of syntax tree nodes, extenders and the child lists of nodes.
//
// A parse creates a node for almost every token, and most trees are freed soon after: the
// general allocator spent a third of a parse's time on these small blocks. The pool hands out
// blocks in size classes of 8 bytes, from free lists kept per thread; a freed block goes onto
// the free list of the thread that frees it, whichever thread allocated it, so trees may move
// between threads and outlive the thread that built them. Blocks come from slabs that are
// never given back: the memory of freed nodes is kept for the nodes of later parses. When a
// thread ends, its free blocks and the rest of its slab go to a shared depot that other
// threads draw on.
//
// Sanitizer builds (and any build defining VX_PLAIN_NODE_ALLOCATION) hand every node to the
// plain allocator, so that a use after free, a double free or a leaked node is still reported.
#pragma once

#include <cstddef>
#include <cstdint>

class TvxNodePool {
public:
  static constexpr size_t Granularity = 8;     // blocks are 8-aligned; no node needs more
  static constexpr size_t MaxBlockSize = 256;  // larger nodes go to the plain allocator

  // A block of Size bytes; never null (std::bad_alloc when memory runs out).
  static void* Allocate(size_t Size);
  // Gives back a block of Allocate with the same Size.
  static void Free(void* Block, size_t Size) noexcept;

  // False where nodes go to the plain allocator.
  static bool IsEnabled();

  // The calling thread's account: the bytes of the blocks it handed out minus those it took
  // back (negative when it freed nodes of other threads), and the bytes of the slabs it took
  // from the plain allocator.
  struct TStatistics {
    int64_t BytesInUse = 0;
    int64_t BytesReserved = 0;
  };
  static TStatistics GetThreadStatistics();
};

// The allocator of the child lists of nodes: a short list is as frequent as a node and is
// freed with it, so its block comes from the same pool (and, in sanitizer builds, from the plain
// allocator as well).
template <class T>
struct TvxNodePoolAllocator {
  using value_type = T;

  TvxNodePoolAllocator() = default;
  template <class U>
  TvxNodePoolAllocator(const TvxNodePoolAllocator<U>&) noexcept {}

  T* allocate(size_t Count) { return static_cast<T*>(TvxNodePool::Allocate(Count * sizeof(T))); }
  void deallocate(T* Block, size_t Count) noexcept { TvxNodePool::Free(Block, Count * sizeof(T)); }

  template <class U>
  bool operator==(const TvxNodePoolAllocator<U>&) const noexcept {
    return true;
  }
};
