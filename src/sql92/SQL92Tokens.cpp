// Keyword look-up by a perfect hash: one multiplication, one table read and a comparison of at
// most four 8-byte words per identifier, whatever the number of keywords.
#include "SQL92Tokens.h"

#include <array>
#include <bit>
#include <cstring>

namespace sql92 {
namespace {

// Identifier characters fold to lower case with | 0x20: letters go to lower case while digits
// stay and "_" becomes 0x7F, so the fold is exact on the bytes an identifier can hold.
constexpr uint8_t FoldByte(uint8_t C) { return static_cast<uint8_t>(C | 0x20); }

// Eight folded bytes of Text from From on (zeros past Length), first byte lowest.
constexpr uint64_t FoldChunk(const char* Text, size_t Length, size_t From) {
  uint64_t Chunk = 0;
  for (size_t I = 0; I < 8 && From + I < Length; ++I)
    Chunk |= static_cast<uint64_t>(FoldByte(static_cast<uint8_t>(Text[From + I]))) << (8 * I);
  return Chunk;
}

constexpr size_t TextLength(const char* Text) {
  size_t Length = 0;
  while (Text[Length] != 0) ++Length;
  return Length;
}

// The length and the first eight folded bytes tell every two keywords apart; the search below
// picks a multiplier that gives each keyword a slot of its own among 4096 one-byte slots.
constexpr uint32_t SlotBits = 12;
constexpr uint32_t SlotCount = 1u << SlotBits;
constexpr int ChunkCount = (MaxKeywordLength + 7) / 8;

constexpr uint32_t SlotOf(uint64_t FirstChunk, size_t Length, uint64_t Multiplier) {
  const uint64_t Key = FirstChunk + static_cast<uint64_t>(Length) * 0x9E3779B97F4A7C15u;
  return static_cast<uint32_t>((Key * Multiplier) >> (64 - SlotBits));
}

struct TKeywordTable {
  uint64_t Multiplier = 0;
  std::array<uint8_t, SlotCount> Slots{};  // the keyword's kind; 0 for an empty slot
  // Per kind: the folded text in 8-byte chunks (zeros past the end) and its length.
  std::array<std::array<uint64_t, ChunkCount>, TokenKindCount> Chunks{};
  std::array<uint8_t, TokenKindCount> Lengths{};
};

constexpr bool TryMultiplier(uint64_t Multiplier, TKeywordTable& Table) {
  Table.Slots = {};
  for (int32_t Kind = 0; Kind < TokenKindCount; ++Kind) {
    if (!IsKeywordKind(Kind)) continue;
    const char* Text = TokenKindTexts[Kind];
    const size_t Length = TextLength(Text);
    const uint32_t Slot = SlotOf(FoldChunk(Text, Length, 0), Length, Multiplier);
    if (Table.Slots[Slot] != 0) return false;
    Table.Slots[Slot] = static_cast<uint8_t>(Kind);
  }
  Table.Multiplier = Multiplier;
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
  for (uint64_t Multiplier = 0x9E3779B97F4A7C15u, Tries = 0; Tries < 5000; Multiplier += 2, ++Tries)
    if (TryMultiplier(Multiplier, Table)) return Table;
  Table.Multiplier = 0;
  return Table;
}

constexpr TKeywordTable KeywordTable = BuildKeywordTable();
static_assert(KeywordTable.Multiplier != 0, "no collision-free keyword hash found");
static_assert(TokenKindCount <= 256, "keyword kinds must fit the one-byte slots");

// Per word length: the masks that keep the word's bytes of each 8-byte chunk.
constexpr std::array<std::array<uint64_t, ChunkCount>, MaxKeywordLength + 1> MakeChunkMasks() {
  std::array<std::array<uint64_t, ChunkCount>, MaxKeywordLength + 1> Masks{};
  for (size_t Length = 0; Length <= static_cast<size_t>(MaxKeywordLength); ++Length)
    for (size_t Byte = 0; Byte < Length; ++Byte) Masks[Length][Byte / 8] |= uint64_t{0xFF} << (8 * (Byte % 8));
  return Masks;
}
constexpr auto ChunkMasks = MakeChunkMasks();

constexpr uint8_t AsciiUpper(uint8_t C) { return (C >= 'a' && C <= 'z') ? static_cast<uint8_t>(C - 32) : C; }

// The first eight bytes of Word (all of a shorter one, zeros after), first byte lowest: FoldChunk
// for a text that has no padding, in whole loads rather than byte by byte.
uint64_t LoadFirstChunk(std::string_view Word) {
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

int32_t FindKeyword(std::string_view Word) {
  if (Word.empty() || Word.size() > static_cast<size_t>(MaxKeywordLength)) return ident;
  const uint64_t FirstChunk = (LoadFirstChunk(Word) | 0x2020202020202020u) & ChunkMasks[Word.size()][0];
  const int32_t Kind = KeywordTable.Slots[SlotOf(FirstChunk, Word.size(), KeywordTable.Multiplier)];
  if (Kind == 0 || KeywordTable.Lengths[Kind] != Word.size()) return ident;
  // Any text may come here, so compare exactly with ASCII upper-casing, not with the fold.
  const char* Text = TokenKindTexts[Kind];
  for (size_t I = 0; I < Word.size(); ++I)
    if (AsciiUpper(static_cast<uint8_t>(Word[I])) != static_cast<uint8_t>(Text[I])) return ident;
  return Kind;
}

static_assert(std::endian::native == std::endian::little, "the 8-byte loads below put the first byte lowest");

int32_t FindKeywordInPaddedIdent(const char* Word, size_t Length) {
  if (Length == 0 || Length > static_cast<size_t>(MaxKeywordLength)) return ident;
  // Whole 8-byte loads, folded and masked to the word's length: the padding makes them safe,
  // and neither the masks nor the comparison need a branch whose outcome the processor would
  // have to guess.
  uint64_t Chunks[ChunkCount];
  std::memcpy(Chunks, Word, sizeof(Chunks));
  const auto& Masks = ChunkMasks[Length];
  for (int I = 0; I < ChunkCount; ++I) Chunks[I] = (Chunks[I] | 0x2020202020202020u) & Masks[I];
  const int32_t Kind = KeywordTable.Slots[SlotOf(Chunks[0], Length, KeywordTable.Multiplier)];
  // Identifier bytes never fold to 0, so equal chunks mean equal lengths too; the empty slot 0
  // has all-zero chunks, which no identifier has. Whether a word is a keyword is what the
  // processor cannot predict, so the outcome is computed, not branched on.
  const auto& Expected = KeywordTable.Chunks[Kind];
  bool Same = true;
  for (int I = 0; I < ChunkCount; ++I) Same &= Chunks[I] == Expected[I];
  return ident + (Kind - ident) * static_cast<int32_t>(Same);
}

}  // namespace sql92

bool IsSQL92ReservedWord(std::string_view Word) {
  const int32_t Kind = sql92::FindKeyword(Word);
  return Kind != sql92::ident && !sql92::IsNonReservedKind(Kind);
}
