#include "vxPackedStrings.h"

#include <cstring>

static_assert(sizeof(TvxPackedStrings) == 16);

namespace {

// memcpy, which must not be given the null data of an empty view.
void CopyBytes(char* To, const char* From, size_t Size) {
  if (Size != 0) std::memcpy(To, From, Size);
}

}  // namespace

// --- storage ------------------------------------------------------------------------------------

const char* TvxPackedStrings::GetHeapData() const {
  const char* Data;
  std::memcpy(&Data, FStorage, sizeof Data);
  return Data;
}

std::string_view TvxPackedStrings::GetBytes() const {
  if (!IsOnHeap()) return {FStorage, static_cast<uint8_t>(FStorage[SizeByte])};
  uint32_t Size;
  std::memcpy(&Size, FStorage + HeapSizeAt, sizeof Size);
  return {GetHeapData(), Size};
}

void TvxPackedStrings::Release() {
  if (IsOnHeap()) delete[] GetHeapData();
}

TvxPackedStrings& TvxPackedStrings::operator=(const TvxPackedStrings& Other) {
  if (this != &Other) Replace(0, GetBytes().size(), Other.GetBytes());
  return *this;
}

void TvxPackedStrings::Replace(size_t Position, size_t Length, std::string_view Bytes) {
  const std::string_view Old = GetBytes();
  const size_t Size = Old.size() - Length + Bytes.size();
  // The new bytes are put together apart from the old ones, which Bytes may view.
  char Inline[InlineCapacity];
  char* const Data = Size <= InlineCapacity ? Inline : new char[Size];
  CopyBytes(Data, Old.data(), Position);
  CopyBytes(Data + Position, Bytes.data(), Bytes.size());
  CopyBytes(Data + Position + Bytes.size(), Old.data() + Position + Length, Old.size() - Position - Length);
  Release();
  if (Data == Inline) {
    CopyBytes(FStorage, Inline, Size);
    FStorage[SizeByte] = static_cast<char>(Size);
    return;
  }
  const auto HeapSize = static_cast<uint32_t>(Size);
  std::memcpy(FStorage, &Data, sizeof Data);
  std::memcpy(FStorage + HeapSizeAt, &HeapSize, sizeof HeapSize);
  FStorage[SizeByte] = static_cast<char>(OnHeap);
}

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

void TvxPackedStrings::Add(std::string_view Value) {
  const size_t Size = GetBytes().size();
  // The parser's case, a short part appended to a short name, writes in place.
  if (!IsOnHeap() && Size + 1 + Value.size() <= InlineCapacity) {
    FStorage[Size] = static_cast<char>(Value.size());
    // A view of this list's own bytes lies before the destination, so memcpy is safe.
    CopyBytes(FStorage + Size + 1, Value.data(), Value.size());
    FStorage[SizeByte] = static_cast<char>(Size + 1 + Value.size());
    return;
  }
  Replace(Size, 0, Encode(Value));
}

void TvxPackedStrings::Insert(int Index, std::string_view Value) { Replace(Find(Index), 0, Encode(Value)); }

void TvxPackedStrings::Set(int Index, std::string_view Value) {
  const size_t Begin = Find(Index);
  if (Begin == GetBytes().size()) throw EvxListError::IndexOutOfBounds(Index);
  size_t End = Begin;
  Read(GetBytes(), End);
  Replace(Begin, End - Begin, Encode(Value));
}

TvxStringList TvxPackedStrings::ToList() const {
  TvxStringList List;
  ForEach([&List](std::string_view Entry) { List.Add(std::string(Entry)); });
  return List;
}
