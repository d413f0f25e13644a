// A string in 16 bytes: its bytes inside the object while they fit in 15, in one heap block
// beyond. Trees hold many short texts -- name parts, aliases, operators -- for which a
// std::string takes 32 bytes; almost all of them fit inside.
#pragma once

#include <cstdint>
#include <string_view>

class TvxCompactString {
public:
  static constexpr size_t InlineCapacity = 15;

  TvxCompactString() = default;
  explicit TvxCompactString(std::string_view Text);
  TvxCompactString(const TvxCompactString& Other) { Replace(0, 0, Other.GetView()); }
  TvxCompactString(TvxCompactString&& Other) noexcept;
  TvxCompactString& operator=(const TvxCompactString& Other);
  TvxCompactString& operator=(TvxCompactString&& Other) noexcept;
  ~TvxCompactString() { Release(); }

  // The bytes; the view lasts until the string changes.
  std::string_view GetView() const;
  size_t GetSize() const { return GetView().size(); }
  bool IsEmpty() const { return GetSize() == 0; }
  bool IsOnHeap() const { return static_cast<uint8_t>(FStorage[SizeByte]) == OnHeap; }

  void Assign(std::string_view Text) { Replace(0, GetSize(), Text); }
  // Appends in place while the result fits inside.
  void Append(std::string_view Text);
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
  void Release();
  void TakeFrom(TvxCompactString& Other);

  alignas(char*) char FStorage[InlineCapacity + 1] = {};
};
