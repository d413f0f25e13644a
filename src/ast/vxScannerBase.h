// The scanner base: a whole SQL text is turned into a token array before parsing starts, so the
// parser can look ahead any number of tokens and follow several parse paths at once. A dialect's
// scanner derives from TvxBaseScanner and supplies keyword recognition, the token automaton and
// its whitespace set.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One token as the scanner stores it: 12 bytes, so that a text of one-byte tokens (a run of
// brackets) costs twelve bytes of tokens per byte of text. Its position in characters, line
// and column are derived on demand from the scanner's table of line starts (GetToken).
struct TvxTokenRecord {
  int32_t Kind = 0;     // dialect's kind number; 0 marks the end of the text
  uint32_t Offset = 0;  // byte offset of the first byte in the scanned text
  uint32_t Length = 0;  // in bytes; the text is GetText().substr(Offset, Length)
};

// One token with everything that is known about it, computed by TvxBaseScanner::GetToken.
// Positions count characters the way the character reader delivers them: every byte is one
// character, except that a CR LF pair is one character.
struct TvxToken {
  int32_t Kind = 0;  // dialect's kind number; 0 marks the end of the text
  int32_t Pos = 0;   // 0-based character index of the first character
  int32_t Col = 1;   // 1-based column: Pos minus the position at which the line starts, plus 1
  int32_t Line = 1;  // 1-based line of the first character
  // Byte offset of the first byte in the scanned text. Unlike Pos it counts both bytes of a
  // CR LF pair, so Text.substr(Offset, Val.size()) is always the token.
  uint32_t Offset = 0;
  // The token's text exactly as written (letter case and line breaks unchanged). It views the
  // scanner's own copy of the text and is valid as long as the scanner lives; copy it to keep
  // it longer. The end-of-text token holds "EOF".
  std::string_view Val;
};

// Where a line other than the first begins, recorded by the scanner at every line end.
struct TvxLineStart {
  uint32_t BreakOffset;  // byte offset of the line end (of the CR of a CR LF pair)
  uint32_t Offset;       // byte offset of the first character after the line end
  int32_t Pos;           // character index of that character
};

// The bytes of the text with a read position: one byte is one character.
class TvxBuffer {
public:
  static constexpr int32_t EndOfText = 256;  // what Read and Peek return past the last byte

  // Copies Text and moves to its start. EvxException when the text is 2 GB or longer.
  void Fill(std::string_view Text);
  // The byte at the position (0..255) and advances; EndOfText without moving at the end.
  int32_t Read() { return FPosition < FLength ? static_cast<uint8_t>(FText[FPosition++]) : EndOfText; }
  // The byte at the position or EndOfText; never moves.
  int32_t Peek() const { return FPosition < FLength ? static_cast<uint8_t>(FText[FPosition]) : EndOfText; }
  // Clamps to 0..GetLength().
  void SetPos(int32_t Value) {
    if (Value != FPosition) FPosition = Value < 0 ? 0 : (Value > FLength ? FLength : Value);
  }
  int32_t GetPos() const { return FPosition; }
  int32_t GetLength() const { return FLength; }
  // The bytes from Begin up to but not including End (both clamped like SetPos); empty when
  // Begin >= End. The position does not change.
  std::string GetString(int32_t Begin, int32_t End) const;
  // Zero bytes that follow the text in GetData(): the first is a sentinel that lets tight
  // loops stop at the end without a bounds check, and all of them let a scanner load whole
  // machine words near the end of the text.
  static constexpr int32_t Padding = 32;
  // The copied text, followed by Padding zero bytes.
  const char* GetData() const { return FText; }
  std::string_view GetText() const { return std::string_view(FText, static_cast<size_t>(FLength)); }

private:
  static constexpr char NoText[Padding] = {};  // what an unfilled buffer holds
  // The text and its padding: in FStorage once filled (which a longer text replaces, a shorter
  // one reuses).
  const char* FText = NoText;
  std::unique_ptr<char[]> FStorage;
  size_t FCapacity = 0;
  int32_t FLength = 0;
  int32_t FPosition = 0;
};

class TvxBaseScanner {
public:
  static constexpr int32_t EOFKind = 0;

  TvxBaseScanner() = default;
  virtual ~TvxBaseScanner() = default;
  // Tokens view the scanner's own text, so a scanner stays where it was created.
  TvxBaseScanner(const TvxBaseScanner&) = delete;
  TvxBaseScanner& operator=(const TvxBaseScanner&) = delete;

  // Copies Text and tokenises all of it; the caller's text need not outlive the call. Never
  // raises for bad input: an unreadable sequence becomes a token of the dialect's illegal kind.
  // Calling it again replaces the text and every token.
  void Init(std::string_view Text);

  // The token at Index with its position, line and column; any index outside
  // 0..GetTokenCount()-1 gives the last token (the end of text), so look-ahead past the end
  // always sees the end. Before Init: an end token. Finds the line by binary search.
  TvxToken GetToken(int Index) const;
  int GetTokenCount() const { return static_cast<int>(FTokenCount); }
  // The kind and the text as written of the token at Index (indexes as for GetToken), without
  // the line search.
  int32_t GetTokenKind(int Index) const { return GetRecord(Index).Kind; }
  std::string_view GetTokenText(int Index) const;
  // Every token as stored, in order, the end token last; for callers that walk the array.
  std::span<const TvxTokenRecord> GetRecords() const { return {FTokens.get(), FTokenCount}; }
  // The scanner's copy of the text that the tokens view.
  std::string_view GetText() const { return FBuffer.GetText(); }

protected:
  // Turns an identifier token into a keyword token when its text is a keyword.
  virtual void CheckLiteral(TvxTokenRecord& Token) const = 0;
  // Reads one token from the current character on. Must consume at least one character unless
  // it returns the end of text (kind EOFKind).
  virtual TvxTokenRecord NextToken() = 0;
  // Dialect set-up before the first token, e.g. widening FIgnore.
  virtual void InitInternal() = 0;
  // Appends every token of the text to the token array, the end token last, and every line
  // end to FLines. The base primes the character reader and asks NextToken for one token after
  // another (through AddToken); a scanner may override it with a loop of its own in which the
  // compiler can inline the automaton and write each token in place (through ReserveTokens).
  virtual void ReadTokens();
  // Appends Token. The base reserves a token per three bytes; a text of shorter tokens grows
  // the array to what the rate so far predicts for the whole text, rather than doubling it
  // again and again (each time a copy, with the old and the new array held at once).
  void AddToken(const TvxTokenRecord& Token) {
    if (FTokenCount == FTokenCapacity) [[unlikely]]
      GrowTokens(Token.Offset);
    FTokens[FTokenCount++] = Token;
  }
  // Room for Count tokens after those added so far, where the scanner writes them itself and
  // then hands the end of what it wrote to CommitTokens. A token takes at least one byte, so
  // the text's length plus the end token is room for any text: a loop that reserves that much
  // needs no check per token. The array is raw storage: no page of it is touched before a
  // token is written there.
  TvxTokenRecord* ReserveTokens(size_t Count);
  void CommitTokens(const TvxTokenRecord* End) { FTokenCount = static_cast<size_t>(End - FTokens.get()); }

  // The character reader: makes the next character current. Every line end (CR, LF or CR LF)
  // arrives as one 13 and counts one line; an LF directly followed by a CR arrives as 10 and the
  // CR counts the line. FCh is lower-cased with ASCII rules; FValCh is the byte as written.
  void NextCh() {
    FChOffset = FBuffer.GetPos();
    FCh = FBuffer.Read();
    ++FPos;
    if (FCh <= 13 && (FCh == 10 || FCh == 13)) [[unlikely]]
      ReadLineEnd();
    FValCh = static_cast<uint8_t>(FCh);
    FCh = LowerChars[static_cast<size_t>(FCh)];
  }
  // For scanners built on the character reader: a token starts at the current character, and
  // ends before the current character.
  void StartToken(TvxTokenRecord& Token) const { Token.Offset = static_cast<uint32_t>(FChOffset); }
  void EndToken(TvxTokenRecord& Token) const { Token.Length = static_cast<uint32_t>(FChOffset) - Token.Offset; }

  // The start of every line but the first, in order: a token's line is found by its offset.
  std::vector<TvxLineStart> FLines;
  TvxBuffer FBuffer;
  int32_t FCh = TvxBuffer::EndOfText;  // current character, lower-cased; 256 = end of text
  uint8_t FValCh = 0;                  // current character as written (0 at the end)
  int32_t FPos = -1;                   // character counter: index of FCh
  int32_t FChOffset = 0;               // byte offset of FCh in the text (its first byte for a CR LF pair)
  // Characters skipped between tokens, indexed by FCh (index 256, the end, is never set).
  std::array<bool, 257> FIgnore{};

private:
  static const std::array<int16_t, 257> LowerChars;  // ASCII lower-casing of 0..256

  struct TFreeTokens {
    void operator()(TvxTokenRecord* Tokens) const { ::operator delete(Tokens); }
  };

  void ReadLineEnd();
  void GrowTokens(uint32_t Offset);
  // Makes room for Capacity tokens in all, keeping those added so far.
  void SetTokenCapacity(size_t Capacity);
  // The record at Index, clamped as GetToken clamps.
  const TvxTokenRecord& GetRecord(int Index) const {
    static constexpr TvxTokenRecord EndBeforeInit{};
    if (Index >= 0 && static_cast<size_t>(Index) < FTokenCount) return FTokens[static_cast<size_t>(Index)];
    return FTokenCount == 0 ? EndBeforeInit : FTokens[FTokenCount - 1];
  }

  std::unique_ptr<TvxTokenRecord[], TFreeTokens> FTokens;
  size_t FTokenCount = 0;
  size_t FTokenCapacity = 0;
};
