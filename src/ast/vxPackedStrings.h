// A short ordered list of strings in 16 bytes: each entry is its length and its bytes, packed
// one after the other, inside the object while they fit in 15 bytes and in one heap block
// beyond. The parts of a dotted name are the use: a vector of strings took a block for itself
// and 32 bytes per part, while a packed two-part name such as "o.OrderID" (10 bytes) needs no
// block at all. Entries are found by walking from the first, which suits lists of a few.
#pragma once

#include "vxCommon.h"

#include <cstdint>
#include <string>
#include <string_view>

class TvxPackedStrings {
public:
  TvxPackedStrings() = default;
  TvxPackedStrings(const TvxPackedStrings& Other) { Replace(0, 0, Other.GetBytes()); }
  TvxPackedStrings& operator=(const TvxPackedStrings& Other);
  ~TvxPackedStrings() { Release(); }

  int Count() const;
  bool IsEmpty() const { return GetBytes().empty(); }
  // Entry Index; EvxListError outside 0..Count()-1. The view lasts until the list changes.
  std::string_view operator[](int Index) const;
  void Add(std::string_view Value);
  void Insert(int Index, std::string_view Value);  // Index may be Count()
  void Set(int Index, std::string_view Value);
  TvxStringList ToList() const;
  bool operator==(const TvxPackedStrings& Other) const { return GetBytes() == Other.GetBytes(); }

  // Calls Visit with every entry in order.
  template <class TVisit>
  void ForEach(TVisit&& Visit) const {
    const std::string_view Bytes = GetBytes();
    for (size_t Position = 0; Position < Bytes.size();) Visit(Read(Bytes, Position));
  }

private:
  static constexpr size_t InlineCapacity = 15;
  static constexpr uint8_t OnHeap = 0xFF;  // FInlineSize of a list whose bytes are on the heap
  // A length below LongLength takes one byte; longer ones take LongLength and four bytes.
  static constexpr unsigned char LongLength = 0xFF;

  // The storage: inline, the bytes from the start and their count in the last byte; on the
  // heap, the block's address, then the byte count, and OnHeap in the last byte.
  static constexpr size_t SizeByte = InlineCapacity;
  static constexpr size_t HeapSizeAt = sizeof(char*);

  bool IsOnHeap() const { return static_cast<uint8_t>(FStorage[SizeByte]) == OnHeap; }
  const char* GetHeapData() const;
  std::string_view GetBytes() const;
  // The bytes of an entry holding Value.
  static std::string Encode(std::string_view Value);
  // The entry of Bytes that starts at Position; Position moves to the next entry.
  static std::string_view Read(std::string_view Bytes, size_t& Position);
  // The byte where entry Index starts (the end for Index == Count()); EvxListError outside
  // 0..Count().
  size_t Find(int Index) const;
  // Replaces Length bytes at Position with Bytes, which may be a view of this list's own.
  void Replace(size_t Position, size_t Length, std::string_view Bytes);
  void Release();

  alignas(char*) char FStorage[InlineCapacity + 1] = {};
};
