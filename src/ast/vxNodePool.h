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

  // A block of Size bytes; never null (std::bad_alloc when memory runs out). Inline, like
  // Free: at a node's creation its size is a constant, so the usual case -- a block on the
  // thread's free list of its size -- is a few instructions in the caller.
  static void* Allocate(size_t Size) {
    if (Size - 1 < MaxBlockSize) {
      TThreadCache& C = Cache;
      const size_t Class = ClassOf(Size);
      if (TThreadCache::TFreeBlock* Block = C.Lists[Class]) [[likely]] {
        C.Lists[Class] = Block->Next;
        C.Statistics.BytesInUse += static_cast<int64_t>(ClassSize(Class));
        return Block;
      }
    }
    return AllocateElsewhere(Size);
  }
  // Gives back a block of Allocate with the same Size.
  static void Free(void* Block, size_t Size) noexcept {
    TThreadCache& C = Cache;
    if (Size - 1 < MaxBlockSize && C.State == TThreadCache::Live && Block != nullptr) [[likely]] {
      auto* Free = static_cast<TThreadCache::TFreeBlock*>(Block);
      const size_t Class = ClassOf(Size);
      Free->Next = C.Lists[Class];
      C.Lists[Class] = Free;
      C.Statistics.BytesInUse -= static_cast<int64_t>(ClassSize(Class));
      return;
    }
    FreeElsewhere(Block, Size);
  }

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

  static constexpr size_t ClassCount = MaxBlockSize / Granularity;
  // Class of a block of Size bytes (1 .. MaxBlockSize) and the size of a class's blocks.
  static constexpr size_t ClassOf(size_t Size) { return (Size + Granularity - 1) / Granularity - 1; }
  static constexpr size_t ClassSize(size_t Class) { return (Class + 1) * Granularity; }

  // A thread's free lists, for the pool's own code. Zero-initialised, so that the inline paths
  // read it without a guard. Only the pool's source fills the lists and makes them Live, so
  // where it hands nodes to the plain allocator (sanitizer builds) they stay empty and every
  // block takes the paths of that source.
  struct TThreadCache {
    enum : uint8_t { Unused, Live, Ended };
    struct TFreeBlock {
      TFreeBlock* Next;
    };
    // The part of a slab not yet handed out.
    struct TRegion {
      char* Cursor = nullptr;
      char* End = nullptr;
      size_t GetSize() const { return static_cast<size_t>(End - Cursor); }
    };
    TFreeBlock* Lists[ClassCount];
    TRegion Region;
    TStatistics Statistics;
    uint8_t State;
  };
  static thread_local TThreadCache Cache;  // defined below the class, constant-initialised

private:
  // The paths of the pool's source: an empty list, a thread whose lists are not live, a large
  // block, or a build that gives every node to the plain allocator.
  static void* AllocateElsewhere(size_t Size);
  static void FreeElsewhere(void* Block, size_t Size) noexcept;
};

// Constant initialisation, visible wherever the pool's inline paths are, lets them reach the
// thread's lists without the guard of a dynamically initialised thread-local.
inline constinit thread_local TvxNodePool::TThreadCache TvxNodePool::Cache{};

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
