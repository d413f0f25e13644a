// A short ordered list of strings held in one std::string: each entry is its length and its
// bytes. The parts of a dotted name are the use: a vector of strings took a block for itself
// and 32 bytes per part, while a packed two-part name such as "o.OrderID" fits the string's
// own buffer and needs no block at all. Entries are found by walking from the first, which
// suits lists of a few entries; appending is the cheap way to grow one.
#pragma once

#include "vxCommon.h"

#include <string>
#include <string_view>

class TvxPackedStrings {
public:
  int Count() const;
  bool IsEmpty() const { return FData.empty(); }
  // Entry Index; EvxListError outside 0..Count()-1. The view lasts until the list changes.
  std::string_view operator[](int Index) const;
  void Add(std::string_view Value);
  void Insert(int Index, std::string_view Value);  // Index may be Count()
  void Set(int Index, std::string_view Value);
  TvxStringList ToList() const;
  bool operator==(const TvxPackedStrings&) const = default;

  // Calls Visit with every entry in order.
  template <class TVisit>
  void ForEach(TVisit&& Visit) const {
    for (size_t Position = 0; Position < FData.size();) Visit(Read(Position));
  }

private:
  // A length below LongLength takes one byte; longer ones take LongLength and four bytes.
  static constexpr unsigned char LongLength = 0xFF;

  // The header of an entry of Length bytes, written to To; its size.
  static size_t WriteHeader(char* To, size_t Length);
  static size_t HeaderSize(size_t Length) { return Length < LongLength ? 1 : 5; }
  // True when Value is a view of this list's own bytes, which a change may move.
  bool Overlaps(std::string_view Value) const {
    return Value.data() >= FData.data() && Value.data() <= FData.data() + FData.size();
  }
  // The entry that starts at byte Position; Position moves to the next entry.
  std::string_view Read(size_t& Position) const;
  // The byte where entry Index starts (the end for Index == Count()); EvxListError outside
  // 0..Count().
  size_t Find(int Index) const;

  std::string FData;
};
