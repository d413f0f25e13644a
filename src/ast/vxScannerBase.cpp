#include "vxScannerBase.h"

#include "vxCommon.h"

#include <algorithm>
#include <cstring>
#include <limits>

// Only ASCII letters fold: the scanner's keyword matching must not depend on a locale.
const std::array<int16_t, 257> TvxBaseScanner::LowerChars = [] {
  std::array<int16_t, 257> Table{};
  for (int16_t C = 0; C <= 256; ++C) Table[static_cast<size_t>(C)] = (C >= 'A' && C <= 'Z') ? C + ('a' - 'A') : C;
  return Table;
}();

void TvxBuffer::Fill(std::string_view Text) {
  // Positions are 32-bit throughout the token; refuse what they cannot address.
  if (Text.size() >= static_cast<size_t>(std::numeric_limits<int32_t>::max() - Padding))
    throw EvxException("The SQL text is too long to scan");
  const size_t Size = Text.size() + Padding;
  if (FCapacity < Size) {
    FText = NoText;
    FStorage.reset();  // the old text goes first
    FCapacity = 0;
    FStorage = std::make_unique_for_overwrite<char[]>(Size);
    FCapacity = Size;
  }
  char* const Data = FStorage.get();
  // memmove: the text may be a part of the one held (a shorter text never reallocates).
  if (!Text.empty()) std::memmove(Data, Text.data(), Text.size());
  std::memset(Data + Text.size(), 0, Padding);
  FText = Data;
  FLength = static_cast<int32_t>(Text.size());
  FPosition = -1;  // so that SetPos(0) below always takes effect
  SetPos(0);
}

std::string TvxBuffer::GetString(int32_t Begin, int32_t End) const {
  const auto Clamp = [this](int32_t Value) { return Value < 0 ? 0 : (Value > FLength ? FLength : Value); };
  Begin = Clamp(Begin);
  End = Clamp(End);
  if (Begin >= End) return std::string();
  return std::string(FText + Begin, static_cast<size_t>(End - Begin));
}

void TvxBaseScanner::Init(std::string_view Text) {
  FTokenCount = 0;
  FLines.clear();
  FBuffer.Fill(Text);
  FIgnore.fill(false);
  FIgnore[' '] = true;
  InitInternal();
  ReadTokens();
}

void TvxBaseScanner::ReadTokens() {
  FPos = -1;
  NextCh();
  // SQL averages four to six bytes per token. Reserving for one token per three bytes spares
  // the array any growth on a realistic text.
  ReserveTokens(static_cast<size_t>(FBuffer.GetLength()) / 3 + 2);
  TvxTokenRecord Token;
  do {
    Token = NextToken();
    AddToken(Token);
  } while (Token.Kind != EOFKind);
}

TvxTokenRecord* TvxBaseScanner::ReserveTokens(size_t Count) {
  if (FTokenCapacity - FTokenCount < Count) SetTokenCapacity(FTokenCount + Count);
  return FTokens.get() + FTokenCount;
}

void TvxBaseScanner::GrowTokens(uint32_t Offset) {
  // Tokens so far per byte so far, applied to the whole text with an eighth to spare; a token
  // takes at least one byte, so no text needs more than a token per byte and the end token.
  const size_t Bytes = static_cast<size_t>(FBuffer.GetLength());
  const size_t Done = std::max<size_t>(Offset, 1);
  size_t Wanted = FTokenCount + FTokenCount * (Bytes - std::min<size_t>(Offset, Bytes)) / Done * 9 / 8 + 16;
  Wanted = std::min(Wanted, Bytes + 2);
  SetTokenCapacity(std::max(Wanted, FTokenCount + 1));
}

void TvxBaseScanner::SetTokenCapacity(size_t Capacity) {
  // Records need no construction (they are plain aggregates), so the storage is left as the
  // allocator gives it until tokens are written.
  if (FTokenCount == 0) {  // nothing to keep: the old array goes first
    FTokens.reset();
    FTokenCapacity = 0;
  }
  std::unique_ptr<TvxTokenRecord[], TFreeTokens> Tokens(
      static_cast<TvxTokenRecord*>(::operator new(Capacity * sizeof(TvxTokenRecord))));
  if (FTokenCount > 0) std::memcpy(Tokens.get(), FTokens.get(), FTokenCount * sizeof(TvxTokenRecord));
  FTokens = std::move(Tokens);
  FTokenCapacity = Capacity;
}

void TvxBaseScanner::ReadLineEnd() {
  const auto BreakOffset = static_cast<uint32_t>(FChOffset);
  if (FCh == 10) {
    // LF CR: the LF is an ordinary character and the CR that follows counts the line.
    if (FBuffer.Peek() == 13) return;
    FCh = 13;
  } else if (FBuffer.Peek() == 10) {
    FBuffer.Read();  // CR LF is one character for the counter
  }
  FLines.push_back({BreakOffset, static_cast<uint32_t>(FBuffer.GetPos()), FPos + 1});
}

std::string_view TvxBaseScanner::GetTokenText(int Index) const {
  const TvxTokenRecord& Record = GetRecord(Index);
  if (Record.Kind == EOFKind) return "EOF";
  return GetText().substr(Record.Offset, Record.Length);
}

TvxToken TvxBaseScanner::GetToken(int Index) const {
  const TvxTokenRecord& Record = GetRecord(Index);
  TvxToken Token;
  Token.Kind = Record.Kind;
  Token.Offset = Record.Offset;
  Token.Val = GetTokenText(Index);
  // The last line end at or before the token. Between a line's start and the next line end
  // every byte is one character (a CR LF pair always ends a line), so the position follows
  // from the line start's. A token that starts on a line end itself (a dialect that does not
  // skip them) belongs to the line that the line end begins, in column 0.
  const auto Line =
      std::upper_bound(FLines.begin(), FLines.end(), Record.Offset,
                       [](uint32_t Offset, const TvxLineStart& Start) { return Offset < Start.BreakOffset; });
  if (Line == FLines.begin()) {
    Token.Pos = static_cast<int32_t>(Record.Offset);
    Token.Line = 1;
    Token.Col = Token.Pos + 1;
    return Token;
  }
  const TvxLineStart& Start = *(Line - 1);
  Token.Line = static_cast<int32_t>(Line - FLines.begin()) + 1;
  Token.Pos =
      Record.Offset >= Start.Offset ? Start.Pos + static_cast<int32_t>(Record.Offset - Start.Offset) : Start.Pos - 1;
  Token.Col = Token.Pos - Start.Pos + 1;
  return Token;
}
