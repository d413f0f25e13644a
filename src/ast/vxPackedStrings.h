// A short ordered list of strings in 16 bytes: each entry is its length and its bytes, packed
// one after the other in one compact string (inside the object while they fit in 15 bytes, in
// one heap block beyond). The parts of a dotted name are the use: a vector of strings took a block for itself
// and 32 bytes per part, while a packed two-part name such as "o.OrderID" (10 bytes) needs no
// block at all. Entries are found by walking from the first, which suits lists of a few.
#pragma once

#include "vxCommon.h"
#include "vxCompactString.h"

#include <cstdint>
#include <string>
#include <string_view>

class TvxPackedStrings {
public:
  int Count() const;
  bool IsEmpty() const { return GetBytes().empty(); }
  // Entry Index; EvxListError outside 0..Count()-1. The view lasts until the list changes.
  std::string_view operator[](int Index) const;
  // Inline, since the parser adds a name part per token this way and nearly every name fits
  // inside: its length byte and bytes are appended in place.
  void Add(std::string_view Value) {
    if (Value.size() >= LongLength) return AddLong(Value);
    const char Length = static_cast<char>(Value.size());
    FBytes.Append({&Length, 1}, Value);
  }
  void Insert(int Index, std::string_view Value);  // Index may be Count()
  void Set(int Index, std::string_view Value);
  TvxStringList ToList() const;
  bool operator==(const TvxPackedStrings& Other) const = default;

  // Calls Visit with every entry in order.
  template <class TVisit>
  void ForEach(TVisit&& Visit) const {
    const std::string_view Bytes = GetBytes();
    for (size_t Position = 0; Position < Bytes.size();) Visit(Read(Bytes, Position));
  }

private:
  // A length below LongLength takes one byte; longer ones take LongLength and four bytes.
  static constexpr unsigned char LongLength = 0xFF;

  std::string_view GetBytes() const { return FBytes.GetView(); }
  void AddLong(std::string_view Value);
  // The bytes of an entry holding Value.
  static std::string Encode(std::string_view Value);
  // The entry of Bytes that starts at Position; Position moves to the next entry.
  static std::string_view Read(std::string_view Bytes, size_t& Position);
  // The byte where entry Index starts (the end for Index == Count()); EvxListError outside
  // 0..Count().
  size_t Find(int Index) const;

  TvxCompactString FBytes;
};
