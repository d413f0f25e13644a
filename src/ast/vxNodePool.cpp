#include "vxNodePool.h"

#include <atomic>
#include <mutex>
#include <new>
#include <vector>

// The sanitizers must see every node, also in builds that did not ask for plain allocation.
#if !defined(VX_PLAIN_NODE_ALLOCATION)
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VX_PLAIN_NODE_ALLOCATION
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define VX_PLAIN_NODE_ALLOCATION
#endif
#endif
#endif

namespace {

constexpr size_t Granularity = TvxNodePool::Granularity;
constexpr size_t ClassCount = TvxNodePool::ClassCount;
constexpr size_t SlabSize = 64 * 1024;

constexpr size_t ClassOf(size_t Size) { return TvxNodePool::ClassOf(Size); }
constexpr size_t ClassSize(size_t Class) { return TvxNodePool::ClassSize(Class); }

using TCache = TvxNodePool::TThreadCache;
using TFreeBlock = TCache::TFreeBlock;
using TRegion = TCache::TRegion;

void Push(TFreeBlock*& List, void* Block) {
  auto* Free = static_cast<TFreeBlock*>(Block);
  Free->Next = List;
  List = Free;
}

// Free blocks and slab rests of threads that ended, for any thread to draw on.
class TDepot {
public:
  // Splices every list of Lists in and keeps Rest.
  void Put(TFreeBlock* const* Lists, TRegion Rest) {
    const std::lock_guard Guard(FLock);
    for (size_t Class = 0; Class < ClassCount; ++Class) {
      TFreeBlock* List = Lists[Class];
      if (List == nullptr) continue;
      TFreeBlock* Tail = List;
      while (Tail->Next != nullptr) Tail = Tail->Next;
      Tail->Next = FLists[Class];
      FLists[Class] = List;
      FHasBlocks[Class].store(true, std::memory_order_relaxed);
    }
    if (Rest.GetSize() != 0) FRegions.push_back(Rest);
  }
  // A whole list of free blocks of Class; null when there are none.
  TFreeBlock* TakeList(size_t Class) {
    if (!FHasBlocks[Class].load(std::memory_order_relaxed)) return nullptr;
    const std::lock_guard Guard(FLock);
    FHasBlocks[Class].store(false, std::memory_order_relaxed);
    TFreeBlock* List = FLists[Class];
    FLists[Class] = nullptr;
    return List;
  }
  bool TakeRegion(TRegion& Region) {
    const std::lock_guard Guard(FLock);
    if (FRegions.empty()) return false;
    Region = FRegions.back();
    FRegions.pop_back();
    return true;
  }
  // For threads whose own lists are gone (their thread-local objects are being destroyed).
  void* AllocateOne(size_t Class) {
    {
      const std::lock_guard Guard(FLock);
      if (TFreeBlock* Block = FLists[Class]) {
        FLists[Class] = Block->Next;
        return Block;
      }
    }
    return ::operator new(ClassSize(Class));  // joins the pool when it is freed
  }
  void FreeOne(void* Block, size_t Class) {
    const std::lock_guard Guard(FLock);
    Push(FLists[Class], Block);
    FHasBlocks[Class].store(true, std::memory_order_relaxed);
  }

private:
  std::mutex FLock;
  TFreeBlock* FLists[ClassCount] = {};
  std::atomic<bool> FHasBlocks[ClassCount] = {};
  std::vector<TRegion> FRegions;
};

// Never destroyed: the destructors of static objects may free nodes after every thread-local
// object is gone.
TDepot& Depot() {
  static TDepot* const Instance = new TDepot;
  return *Instance;
}

// The thread's free lists (TvxNodePool::Cache) go to the depot when the thread ends; the
// destructor that hands them over is registered by TCacheFlush on first use.
struct TCacheFlush {
  TCacheFlush() { TvxNodePool::Cache.State = TCache::Live; }
  ~TCacheFlush() {
    TCache& C = TvxNodePool::Cache;
    C.State = TCache::Ended;
    Depot().Put(C.Lists, C.Region);
    for (TFreeBlock*& List : C.Lists) List = nullptr;
    C.Region = {};
  }
  TCacheFlush(const TCacheFlush&) = delete;
  TCacheFlush& operator=(const TCacheFlush&) = delete;
  void Touch() {}
};
thread_local TCacheFlush Flush;

// Makes sure the thread's lists reach the depot when the thread ends; false once they have.
bool EnsureLive(TCache& C) {
  if (C.State == TCache::Unused) Flush.Touch();
  return C.State == TCache::Live;
}

void NewRegion(TCache& C) {
  // The rest of the old region is one smaller block.
  if (C.Region.GetSize() >= Granularity) Push(C.Lists[ClassOf(C.Region.GetSize())], C.Region.Cursor);
  if (Depot().TakeRegion(C.Region)) return;
  C.Region.Cursor = static_cast<char*>(::operator new(SlabSize));
  C.Region.End = C.Region.Cursor + SlabSize;
  C.Statistics.BytesReserved += static_cast<int64_t>(SlabSize);
}

[[gnu::noinline, maybe_unused]] void* Refill(TCache& C, size_t Class) {
  if (!EnsureLive(C)) return Depot().AllocateOne(Class);
  if (TFreeBlock* List = Depot().TakeList(Class)) {
    C.Lists[Class] = List->Next;
    return List;
  }
  const size_t Bytes = ClassSize(Class);
  if (C.Region.GetSize() < Bytes) NewRegion(C);
  void* Block = C.Region.Cursor;
  C.Region.Cursor += Bytes;
  return Block;
}

void PutBack(TCache& C, void* Block, size_t Class) {
  Push(C.Lists[Class], Block);
  C.Statistics.BytesInUse -= static_cast<int64_t>(ClassSize(Class));
}

// A free on a thread that has not used its lists yet, or whose lists are gone.
[[gnu::noinline, maybe_unused]] void FreeOutsideLiveCache(TCache& C, void* Block, size_t Class) {
  if (EnsureLive(C))
    PutBack(C, Block, Class);
  else
    Depot().FreeOne(Block, Class);
}

}  // namespace

bool TvxNodePool::IsEnabled() {
#ifdef VX_PLAIN_NODE_ALLOCATION
  return false;
#else
  return true;
#endif
}

void* TvxNodePool::AllocateElsewhere(size_t Size) {
#ifndef VX_PLAIN_NODE_ALLOCATION
  if (Size - 1 < MaxBlockSize) {
    // Allocate found the thread's list of the class empty.
    const size_t Class = ClassOf(Size);
    TCache& C = Cache;
    void* Block = Refill(C, Class);
    C.Statistics.BytesInUse += static_cast<int64_t>(ClassSize(Class));
    return Block;
  }
#endif
  return ::operator new(Size);
}

void TvxNodePool::FreeElsewhere(void* Block, size_t Size) noexcept {
  if (Block == nullptr) return;
#ifndef VX_PLAIN_NODE_ALLOCATION
  if (Size - 1 < MaxBlockSize) {
    const size_t Class = ClassOf(Size);
    TCache& C = Cache;
    if (C.State == TCache::Live)
      PutBack(C, Block, Class);
    else
      FreeOutsideLiveCache(C, Block, Class);
    return;
  }
#endif
  ::operator delete(Block);
}

TvxNodePool::TStatistics TvxNodePool::GetThreadStatistics() { return Cache.Statistics; }
