// Keyword look-up by a perfect hash: one multiplication, one table read and a comparison of a
// few 8-byte words per identifier, whatever the number of keywords. The tables are built here at
// compile time; the scanner's look-up (FindKeywordInPaddedIdent) is inline in the header.
#include "SQL92Tokens.h"

#include <bit>

namespace sql92 {
namespace {

// Eight folded bytes of Text from From on (zeros past Length), first byte lowest.
constexpr uint64_t FoldChunk(const char* Text, size_t Length, size_t From) {
  uint64_t Chunk = 0;
  for (size_t I = 0; I < 8 && From + I < Length; ++I)
    Chunk |= static_cast<uint64_t>(static_cast<uint8_t>(Text[From + I]) | 0x20) << (8 * I);
  return Chunk;
}

constexpr size_t TextLength(const char* Text) {
  size_t Length = 0;
  while (Text[Length] != 0) ++Length;
  return Length;
}

constexpr int ChunkCount = TKeywordTable::ChunkCount;

// The search below picks a multiplier that gives each keyword a slot of its own.
constexpr bool TryMultiplier(uint64_t Multiplier, TKeywordTable& Table) {
  Table.Slots = {};
  Table.Multiplier = Multiplier;
  for (int32_t Kind = 0; Kind < TokenKindCount; ++Kind) {
    if (!IsKeywordKind(Kind)) continue;
    const uint32_t Slot = Table.SlotOf(Table.Chunks[Kind][0], Table.Chunks[Kind][1], Table.Lengths[Kind]);
    if (Table.Slots[Slot] != 0) return false;
    Table.Slots[Slot] = static_cast<uint8_t>(Kind);
  }
  return true;
}

constexpr TKeywordTable BuildKeywordTable() {
  TKeywordTable Table;
  for (int32_t Kind = 0; Kind < TokenKindCount; ++Kind) {
    if (!IsKeywordKind(Kind)) continue;
    const char* Text = TokenKindTexts[Kind];
    const size_t Length = TextLength(Text);
    Table.Lengths[Kind] = static_cast<uint8_t>(Length);
    for (int I = 0; I < ChunkCount; ++I) Table.Chunks[Kind][I] = FoldChunk(Text, Length, 8 * I);
  }
  for (size_t Length = 0; Length <= static_cast<size_t>(MaxKeywordLength); ++Length)
    for (size_t Byte = 0; Byte < Length; ++Byte)
      Table.ChunkMasks[Length][Byte / 8] |= uint64_t{0xFF} << (8 * (Byte % 8));
  // Odd multiples of the golden ratio: neighbouring multipliers would move the slots of the
  // short words (small keys) hardly at all.
  for (uint64_t Tries = 0; Tries < 5000; ++Tries)
    if (TryMultiplier(0x9E3779B97F4A7C15u * (2 * Tries + 1), Table)) return Table;
  Table.Multiplier = 0;
  return Table;
}

constexpr uint8_t AsciiUpper(uint8_t C) { return (C >= 'a' && C <= 'z') ? static_cast<uint8_t>(C - 32) : C; }

// The first eight bytes of Word (all of a shorter one, zeros after), first byte lowest: FoldChunk
// for a text that has no padding, in whole loads rather than byte by byte.
uint64_t LoadChunk(std::string_view Word) {
  const char* const P = Word.data();
  const size_t Size = Word.size();
  if (Size >= 8) {
    uint64_t Chunk;
    std::memcpy(&Chunk, P, sizeof Chunk);
    return Chunk;
  }
  if (Size >= 4) {
    // Two loads that overlap in the middle; the bytes they share are the same.
    uint32_t Low, High;
    std::memcpy(&Low, P, sizeof Low);
    std::memcpy(&High, P + Size - 4, sizeof High);
    return Low | (static_cast<uint64_t>(High) << (8 * (Size - 4)));
  }
  uint64_t Chunk = 0;
  for (size_t I = 0; I < Size; ++I) Chunk |= static_cast<uint64_t>(static_cast<uint8_t>(P[I])) << (8 * I);
  return Chunk;
}

}  // namespace

constexpr TKeywordTable KeywordTable = BuildKeywordTable();
static_assert(KeywordTable.Multiplier != 0, "no collision-free keyword hash found");
static_assert(TokenKindCount <= 256, "keyword kinds must fit the one-byte slots");
static_assert(std::endian::native == std::endian::little, "the 8-byte loads put the first byte lowest");

int32_t FindKeyword(std::string_view Word) {
  if (Word.empty() || Word.size() > static_cast<size_t>(MaxKeywordLength)) return ident;
  const auto& Masks = KeywordTable.ChunkMasks[Word.size()];
  const uint64_t First = (LoadChunk(Word) | TKeywordTable::FoldBits) & Masks[0];
  const uint64_t Second = Word.size() > 8 ? (LoadChunk(Word.substr(8)) | TKeywordTable::FoldBits) & Masks[1] : 0;
  const int32_t Kind = KeywordTable.Slots[KeywordTable.SlotOf(First, Second, Word.size())];
  if (Kind == 0 || KeywordTable.Lengths[Kind] != Word.size()) return ident;
  // Any text may come here, so compare exactly with ASCII upper-casing, not with the fold.
  const char* Text = TokenKindTexts[Kind];
  for (size_t I = 0; I < Word.size(); ++I)
    if (AsciiUpper(static_cast<uint8_t>(Word[I])) != static_cast<uint8_t>(Text[I])) return ident;
  return Kind;
}

}  // namespace sql92

bool IsSQL92ReservedWord(std::string_view Word) {
  const int32_t Kind = sql92::FindKeyword(Word);
  return Kind != sql92::ident && !sql92::IsNonReservedKind(Kind);
}
