// Keyword look-up by a perfect hash over the ASCII-upper-cased word: one hash, one table read
// and one comparison per identifier, whatever the number of keywords.
#include "SQL92Tokens.h"

#include <array>

namespace sql92 {
namespace {

constexpr uint8_t AsciiUpper(uint8_t C) { return (C >= 'a' && C <= 'z') ? static_cast<uint8_t>(C - 32) : C; }

constexpr std::array<uint8_t, 256> MakeUpperTable() {
  std::array<uint8_t, 256> Table{};
  for (int C = 0; C < 256; ++C) Table[C] = AsciiUpper(static_cast<uint8_t>(C));
  return Table;
}
constexpr std::array<uint8_t, 256> UpperTable = MakeUpperTable();

// 4096 slots keep the table collision-free with a small multiplier search; the table holds
// one byte per slot (the keyword's kind, 0 for an empty slot), 4 KB in all.
constexpr uint32_t SlotBits = 12;
constexpr uint32_t SlotCount = 1u << SlotBits;

constexpr uint32_t HashWord(const char* Word, size_t Length, uint32_t Multiplier) {
  uint32_t H = static_cast<uint32_t>(Length);
  for (size_t I = 0; I < Length; ++I) H = H * Multiplier + UpperTable[static_cast<uint8_t>(Word[I])];
  H ^= H >> 13;
  H *= 0x9E3779B1u;
  return H >> (32 - SlotBits);
}

constexpr size_t TextLength(const char* Text) {
  size_t Length = 0;
  while (Text[Length] != 0) ++Length;
  return Length;
}

struct TKeywordTable {
  uint32_t Multiplier = 0;
  std::array<uint8_t, SlotCount> Slots{};
};

constexpr bool TryMultiplier(uint32_t Multiplier, TKeywordTable& Table) {
  Table.Slots = {};
  for (int32_t Kind = 0; Kind < TokenKindCount; ++Kind) {
    if (!IsKeywordKind(Kind)) continue;
    const char* Text = TokenKindTexts[Kind];
    const uint32_t Slot = HashWord(Text, TextLength(Text), Multiplier);
    if (Table.Slots[Slot] != 0) return false;
    Table.Slots[Slot] = static_cast<uint8_t>(Kind);
  }
  Table.Multiplier = Multiplier;
  return true;
}

constexpr TKeywordTable BuildKeywordTable() {
  TKeywordTable Table;
  for (uint32_t Multiplier = 31; Multiplier < 100000; Multiplier += 2)
    if (TryMultiplier(Multiplier, Table)) return Table;
  return TKeywordTable{};
}

constexpr TKeywordTable KeywordTable = BuildKeywordTable();
static_assert(KeywordTable.Multiplier != 0, "no collision-free keyword hash found");
static_assert(TokenKindCount <= 256, "keyword kinds must fit the one-byte slots");

}  // namespace

int32_t FindKeyword(std::string_view Word) {
  if (Word.empty() || Word.size() > static_cast<size_t>(MaxKeywordLength)) return ident;
  const int32_t Kind = KeywordTable.Slots[HashWord(Word.data(), Word.size(), KeywordTable.Multiplier)];
  if (Kind == 0) return ident;
  const char* Text = TokenKindTexts[Kind];
  for (size_t I = 0; I < Word.size(); ++I)
    if (Text[I] == 0 || UpperTable[static_cast<uint8_t>(Word[I])] != static_cast<uint8_t>(Text[I])) return ident;
  return Text[Word.size()] == 0 ? Kind : ident;
}

}  // namespace sql92

bool IsSQL92ReservedWord(std::string_view Word) {
  const int32_t Kind = sql92::FindKeyword(Word);
  return Kind != sql92::ident && !sql92::IsNonReservedKind(Kind);
}
