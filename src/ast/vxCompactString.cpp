#include "vxCompactString.h"

#include <cstring>
#include <string>

static_assert(sizeof(TvxCompactString) == 16);

namespace {

// memcpy, which must not be given the null data of an empty view.
void CopyBytes(char* To, const char* From, size_t Size) {
  if (Size != 0) std::memcpy(To, From, Size);
}

}  // namespace

TvxCompactString& TvxCompactString::operator=(const TvxCompactString& Other) {
  if (this != &Other) Assign(Other.GetView());
  return *this;
}

const char* TvxCompactString::GetHeapData() const {
  const char* Data;
  std::memcpy(&Data, FStorage, sizeof Data);
  return Data;
}

std::string_view TvxCompactString::GetHeapView() const {
  uint32_t Size;
  std::memcpy(&Size, FStorage + HeapSizeAt, sizeof Size);
  return {GetHeapData(), Size};
}

void TvxCompactString::FreeHeapBlock() { delete[] GetHeapData(); }

void TvxCompactString::AppendOnHeap(std::string_view First, std::string_view Second) {
  if (Second.empty()) return Replace(GetSize(), 0, First);
  // Either view may be of this string's bytes, which the first Replace can move.
  std::string Both;
  Both.reserve(First.size() + Second.size());
  Both.append(First).append(Second);
  Replace(GetSize(), 0, Both);
}

void TvxCompactString::Replace(size_t Position, size_t Length, std::string_view Text) {
  const std::string_view Old = GetView();
  const size_t Size = Old.size() - Length + Text.size();
  // The new bytes are put together apart from the old ones, which Text may view.
  char Inline[InlineCapacity];
  char* const Data = Size <= InlineCapacity ? Inline : new char[Size];
  CopyBytes(Data, Old.data(), Position);
  CopyBytes(Data + Position, Text.data(), Text.size());
  CopyBytes(Data + Position + Text.size(), Old.data() + Position + Length, Old.size() - Position - Length);
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
