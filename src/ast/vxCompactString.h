// A string in 16 bytes: its bytes inside the object while they fit in 15, in one heap block
// beyond. Trees hold many short texts -- name parts, aliases, operators -- for which a
// std::string takes 32 bytes; almost all of them fit inside.
#pragma once

#include "vxShortCopy.h"

#include <cstdint>
#include <cstring>
#include <string_view>

class TvxCompactString {
public:
  static constexpr size_t InlineCapacity = 15;

  TvxCompactString() = default;
  // Inline, as the parser builds aliases and operators this way and nearly all fit inside.
  explicit TvxCompactString(std::string_view Text) {
    if (Text.size() > InlineCapacity) {
      Replace(0, 0, Text);
      return;
    }
    vxCopyShort(FStorage, Text.data(), Text.size());
    FStorage[SizeByte] = static_cast<char>(Text.size());
  }
  // Copies, moves and the view are inline for the strings inside the object; only a string on
  // the heap takes a call.
  TvxCompactString(const TvxCompactString& Other) {
    if (Other.IsOnHeap())
      Replace(0, 0, Other.GetView());
    else
      std::memcpy(FStorage, Other.FStorage, sizeof FStorage);
  }
  TvxCompactString(TvxCompactString&& Other) noexcept { TakeFrom(Other); }
  TvxCompactString& operator=(const TvxCompactString& Other);
  TvxCompactString& operator=(TvxCompactString&& Other) noexcept {
    if (this != &Other) {
      Release();
      TakeFrom(Other);
    }
    return *this;
  }
  ~TvxCompactString() { Release(); }

  // The bytes; the view lasts until the string changes.
  std::string_view GetView() const {
    if (IsOnHeap()) return GetHeapView();
    return {FStorage, static_cast<uint8_t>(FStorage[SizeByte])};
  }
  size_t GetSize() const { return GetView().size(); }
  bool IsEmpty() const { return GetSize() == 0; }
  bool IsOnHeap() const { return static_cast<uint8_t>(FStorage[SizeByte]) == OnHeap; }

  void Assign(std::string_view Text) { Replace(0, GetSize(), Text); }
  // Appends in place while the result fits inside. Inline, since the parser appends a name
  // part per token this way and nearly every name fits.
  void Append(std::string_view Text) { Append(Text, {}); }
  // Appends First, then Second.
  void Append(std::string_view First, std::string_view Second) {
    const size_t Size = static_cast<uint8_t>(FStorage[SizeByte]);  // OnHeap never fits
    if (Size + First.size() + Second.size() > InlineCapacity) return AppendOnHeap(First, Second);
    // A view of this string's own bytes lies before the destination, so the copies are safe.
    CopyInside(Size, First);
    CopyInside(Size + First.size(), Second);
    FStorage[SizeByte] = static_cast<char>(Size + First.size() + Second.size());
  }
  // Replaces Length bytes at Position with Text, which may view this string's own bytes.
  void Replace(size_t Position, size_t Length, std::string_view Text);

  bool operator==(const TvxCompactString& Other) const { return GetView() == Other.GetView(); }

private:
  static constexpr uint8_t OnHeap = 0xFF;  // the size byte of a string whose bytes are on the heap
  // Inside: the bytes from the start and their count in the last byte. On the heap: the
  // block's address, then the byte count, and OnHeap in the last byte.
  static constexpr size_t SizeByte = InlineCapacity;
  static constexpr size_t HeapSizeAt = sizeof(char*);

  const char* GetHeapData() const;
  std::string_view GetHeapView() const;
  void AppendOnHeap(std::string_view First, std::string_view Second);
  // Text must fit at Position.
  void CopyInside(size_t Position, std::string_view Text) {
    vxCopyShort(FStorage + Position, Text.data(), Text.size());
  }
  void Release() {
    if (IsOnHeap()) FreeHeapBlock();
  }
  void FreeHeapBlock();
  // The storage moves as it is, a heap block included; Other is left empty.
  void TakeFrom(TvxCompactString& Other) {
    std::memcpy(FStorage, Other.FStorage, sizeof FStorage);
    std::memset(Other.FStorage, 0, sizeof Other.FStorage);
  }

  alignas(char*) char FStorage[InlineCapacity + 1] = {};
};
