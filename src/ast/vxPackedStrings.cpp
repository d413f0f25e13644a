#include "vxPackedStrings.h"

#include <cstdint>
#include <cstring>

size_t TvxPackedStrings::WriteHeader(char* To, size_t Length) {
  if (Length < LongLength) {
    To[0] = static_cast<char>(Length);
    return 1;
  }
  const auto Long = static_cast<uint32_t>(Length);
  To[0] = static_cast<char>(LongLength);
  std::memcpy(To + 1, &Long, sizeof Long);
  return 1 + sizeof Long;
}

std::string_view TvxPackedStrings::Read(size_t& Position) const {
  size_t Length = static_cast<unsigned char>(FData[Position++]);
  if (Length == LongLength) {
    uint32_t Long;
    std::memcpy(&Long, FData.data() + Position, sizeof Long);
    Position += sizeof Long;
    Length = Long;
  }
  const std::string_view Entry(FData.data() + Position, Length);
  Position += Length;
  return Entry;
}

size_t TvxPackedStrings::Find(int Index) const {
  if (Index < 0) throw EvxListError::IndexOutOfBounds(Index);
  size_t Position = 0;
  for (int I = 0; I < Index; ++I) {
    if (Position == FData.size()) throw EvxListError::IndexOutOfBounds(Index);
    Read(Position);
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
  if (Position == FData.size()) throw EvxListError::IndexOutOfBounds(Index);
  return Read(Position);
}

void TvxPackedStrings::Add(std::string_view Value) {
  if (Overlaps(Value)) return Add(std::string(Value));
  char Header[8];
  FData.append(Header, WriteHeader(Header, Value.size()));
  FData.append(Value);
}

void TvxPackedStrings::Insert(int Index, std::string_view Value) {
  if (Overlaps(Value)) return Insert(Index, std::string(Value));
  const size_t At = Find(Index);
  FData.insert(At, HeaderSize(Value.size()) + Value.size(), '\0');
  const size_t Header = WriteHeader(FData.data() + At, Value.size());
  std::memcpy(FData.data() + At + Header, Value.data(), Value.size());
}

void TvxPackedStrings::Set(int Index, std::string_view Value) {
  if (Overlaps(Value)) return Set(Index, std::string(Value));
  const size_t Begin = Find(Index);
  if (Begin == FData.size()) throw EvxListError::IndexOutOfBounds(Index);
  size_t End = Begin;
  Read(End);
  FData.erase(Begin, End - Begin);
  Insert(Index, Value);
}

TvxStringList TvxPackedStrings::ToList() const {
  TvxStringList List;
  ForEach([&List](std::string_view Entry) { List.Add(std::string(Entry)); });
  return List;
}
