// Token kinds of the tiny grammars that test the parser generator: one kind per character.
#pragma once

#include <cstdint>

namespace tiny {

enum TTinyKind : int32_t {
  tkEnd = 0,
  tkA = 1,         // a
  tkB = 2,         // b
  tkC = 3,         // c
  tkD = 4,         // d
  tkX = 5,         // x
  tkLParen = 6,    // (
  tkRParen = 7,    // )
  tkComma = 8,     // ,
  tkEqual = 9,     // =
  tkDot = 10,      // .
  tkNumber = 11,   // a digit
  tkIllegal = 12,  // anything else
};

}  // namespace tiny
