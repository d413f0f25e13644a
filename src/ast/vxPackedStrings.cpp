#include "vxPackedStrings.h"

#include <cstring>

static_assert(sizeof(TvxPackedStrings) == 16);

// --- entries ------------------------------------------------------------------------------------

std::string TvxPackedStrings::Encode(std::string_view Value) {
  std::string Entry;
  if (Value.size() < LongLength) {
    Entry += static_cast<char>(Value.size());
  } else {
    const auto Length = static_cast<uint32_t>(Value.size());
    Entry += static_cast<char>(LongLength);
    Entry.append(reinterpret_cast<const char*>(&Length), sizeof Length);
  }
  return Entry.append(Value);
}

std::string_view TvxPackedStrings::Read(std::string_view Bytes, size_t& Position) {
  size_t Length = static_cast<unsigned char>(Bytes[Position++]);
  if (Length == LongLength) {
    uint32_t Long;
    std::memcpy(&Long, Bytes.data() + Position, sizeof Long);
    Position += sizeof Long;
    Length = Long;
  }
  const std::string_view Entry = Bytes.substr(Position, Length);
  Position += Length;
  return Entry;
}

size_t TvxPackedStrings::Find(int Index) const {
  if (Index < 0) throw EvxListError::IndexOutOfBounds(Index);
  const std::string_view Bytes = GetBytes();
  size_t Position = 0;
  for (int I = 0; I < Index; ++I) {
    if (Position == Bytes.size()) throw EvxListError::IndexOutOfBounds(Index);
    Read(Bytes, Position);
  }
  return Position;
}

int TvxPackedStrings::Count() const {
  int Result = 0;
  ForEach([&Result](std::string_view) { ++Result; });
  return Result;
}

std::string_view TvxPackedStrings::operator[](int Index) const {
  size_t Position = Find(Index);
  if (Position == GetBytes().size()) throw EvxListError::IndexOutOfBounds(Index);
  return Read(GetBytes(), Position);
}

void TvxPackedStrings::AddLong(std::string_view Value) { FBytes.Append(Encode(Value)); }

void TvxPackedStrings::Insert(int Index, std::string_view Value) { FBytes.Replace(Find(Index), 0, Encode(Value)); }

void TvxPackedStrings::Set(int Index, std::string_view Value) {
  const size_t Begin = Find(Index);
  if (Begin == GetBytes().size()) throw EvxListError::IndexOutOfBounds(Index);
  size_t End = Begin;
  Read(GetBytes(), End);
  FBytes.Replace(Begin, End - Begin, Encode(Value));
}

TvxStringList TvxPackedStrings::ToList() const {
  TvxStringList List;
  ForEach([&List](std::string_view Entry) { List.Add(std::string(Entry)); });
  return List;
}
