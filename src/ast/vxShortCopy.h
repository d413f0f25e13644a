// Copying the few bytes of a name or a keyword without a call of memcpy.
#pragma once

#include <cstdint>
#include <cstring>

// Copies Size bytes, at most 16, by fixed-size moves: for texts this short a call of memcpy
// costs more than the copy. Every byte is read before any is written, so From may overlap To;
// nothing is read when Size is 0 (an empty view may have no data).
inline void vxCopyShort(char* To, const char* From, size_t Size) {
  if (Size >= 8) {
    uint64_t Head, Tail;
    std::memcpy(&Head, From, 8);
    std::memcpy(&Tail, From + Size - 8, 8);
    std::memcpy(To, &Head, 8);
    std::memcpy(To + Size - 8, &Tail, 8);
  } else if (Size >= 4) {
    uint32_t Head, Tail;
    std::memcpy(&Head, From, 4);
    std::memcpy(&Tail, From + Size - 4, 4);
    std::memcpy(To, &Head, 4);
    std::memcpy(To + Size - 4, &Tail, 4);
  } else if (Size != 0) {
    const char First = From[0], Middle = From[Size / 2], Last = From[Size - 1];
    To[0] = First;
    To[Size / 2] = Middle;
    To[Size - 1] = Last;
  }
}
