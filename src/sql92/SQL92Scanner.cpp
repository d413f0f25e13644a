#include "SQL92Scanner.h"

#include "vxSyntaxProvider.h"

#include <array>
#include <memory>

using namespace sql92;

namespace {

// Start states, chosen by one look-up per token and per blank that a single space does not
// cover.
enum TStartState : uint8_t {
  ssIllegal,
  ssNul,  // the end of the text, or an illegal character inside it
  ssBlank,
  ssLineEnd,
  ssIdent,
  ssNumber,
  ssDot,
  ssMinus,
  ssString,
  ssQuotedIdent,
  ssBracket,
  ssBrace,
  ssParam,
  ssOperator,
  ssSingle
};

// Indexed by the byte as written: upper-case letters have the entries of their lower-case
// forms and no byte needs folding.
constexpr std::array<TStartState, 256> MakeStartTable() {
  std::array<TStartState, 256> Table{};  // ssIllegal: # $ & : ? \ ] ^ ` | } and 127..255
  Table[0] = ssNul;
  for (int C = 1; C <= ' '; ++C) Table[C] = ssBlank;
  Table['\r'] = Table['\n'] = ssLineEnd;
  Table['_'] = ssIdent;
  for (int C = 'a'; C <= 'z'; ++C) Table[C] = Table[C - ('a' - 'A')] = ssIdent;
  for (int C = '0'; C <= '9'; ++C) Table[C] = ssNumber;
  Table['.'] = ssDot;
  Table['-'] = ssMinus;
  Table['\''] = ssString;
  Table['"'] = ssQuotedIdent;
  Table['['] = ssBracket;
  Table['{'] = ssBrace;
  Table['@'] = ssParam;
  Table['<'] = Table['>'] = Table['!'] = ssOperator;
  for (unsigned char C : std::string_view(";,()*=+/%~")) Table[C] = ssSingle;
  return Table;
}

constexpr std::array<uint8_t, 256> MakeSingleKinds() {
  std::array<uint8_t, 256> Kinds{};
  Kinds[';'] = symSemicolon;
  Kinds[','] = symComma;
  Kinds['('] = symLParen;
  Kinds[')'] = symRParen;
  Kinds['*'] = symStar;
  Kinds['='] = symEqual;
  Kinds['+'] = symPlus;
  Kinds['-'] = symMinus;
  Kinds['/'] = symSlash;
  Kinds['%'] = symPercent;
  Kinds['~'] = symTilde;
  return Kinds;
}

// Character classes of bytes as written (both letter cases). Only ASCII letters are letters:
// bytes from 128 on end a name.
enum TCharClass : uint8_t {
  ccIdent = 1,  // letters, digits and "_": the rest of an identifier or parameter
  ccDigit = 2,
  ccHex = 4,
  ccBreak = 8,  // CR, LF and NUL: where a run of literal or remark bytes must look closer
};

constexpr std::array<uint8_t, 256> MakeCharClasses() {
  std::array<uint8_t, 256> Classes{};
  for (int C = 'a'; C <= 'z'; ++C) Classes[C] = Classes[C - 32] = ccIdent;
  for (int C = 'a'; C <= 'f'; ++C) Classes[C] = Classes[C - 32] = ccIdent | ccHex;
  for (int C = '0'; C <= '9'; ++C) Classes[C] = ccIdent | ccDigit | ccHex;
  Classes['_'] = ccIdent;
  Classes[0] = Classes['\r'] = Classes['\n'] = ccBreak;
  return Classes;
}

// All that the scanner looks up about a byte, in one table (one base address for the loop to
// hold), four bytes an entry so that an index scales without a multiplication.
struct TByteTraits {
  TStartState Start;
  uint8_t Class;       // TCharClass bits
  uint8_t SingleKind;  // the kind of a one-byte token, for ssSingle
  uint8_t Unused;
};

constexpr std::array<TByteTraits, 256> MakeByteTraits() {
  const auto Starts = MakeStartTable();
  const auto Classes = MakeCharClasses();
  const auto Kinds = MakeSingleKinds();
  std::array<TByteTraits, 256> Traits{};
  for (size_t C = 0; C < Traits.size(); ++C) Traits[C] = {Starts[C], Classes[C], Kinds[C], 0};
  return Traits;
}
constexpr std::array<TByteTraits, 256> ByteTraits = MakeByteTraits();

inline bool IsClass(uint8_t C, uint8_t Class) { return (ByteTraits[C].Class & Class) != 0; }
inline bool IsDigit(uint8_t C) { return IsClass(C, ccDigit); }
// Folds an ASCII letter for comparison with a lower-case letter; no other byte can match one.
inline uint8_t Folded(char C) { return static_cast<uint8_t>(C) | 0x20; }

using TCursor = SQL92Scanner::TCursor;

// The first byte from P on that is not in Class; the padding after the text is in none. Two
// bytes a round, so that the loop's own step and jump are paid once for both.
inline const char* SkipClass(const char* P, uint8_t Class) {
  for (;; P += 2) {
    if (!IsClass(static_cast<uint8_t>(P[0]), Class)) return P;
    if (!IsClass(static_cast<uint8_t>(P[1]), Class)) return P + 1;
  }
}

// The cursor stands on a CR or LF: passes one character and counts the line where it ends.
// CR, LF and CR LF each end one line; an LF directly followed by a CR is an ordinary
// character and the CR ends the line.
inline void PassLineEnd(TCursor& C) {
  const char* P = C.P;
  if (*P == '\n' && P[1] == '\r') {
    C.P = P + 1;
    return;
  }
  const auto BreakOffset = static_cast<uint32_t>(P - C.Begin);
  // Bytes minus characters so far: one per CR LF pair passed, as the last line start tells.
  std::vector<TvxLineStart>& Lines = *C.Lines;
  int32_t Shift = Lines.empty() ? 0 : static_cast<int32_t>(Lines.back().Offset) - Lines.back().Pos;
  if (*P == '\r' && P[1] == '\n') {
    ++P;
    ++Shift;  // the pair is one character
  }
  C.P = ++P;
  const auto Offset = static_cast<int32_t>(P - C.Begin);
  Lines.push_back({BreakOffset, static_cast<uint32_t>(Offset), Offset - Shift});
}

// The fraction and exponent of a real, from the first digit after the "."; P ends after the
// last character the token takes. An exponent needs at least one digit after an optional sign.
int32_t ReadFraction(const char*& P) {
  P = SkipClass(P, ccDigit);
  if (Folded(*P) != 'e') return realNumber;
  ++P;
  if (*P == '+' || *P == '-') ++P;
  if (!IsDigit(static_cast<uint8_t>(*P))) return NoSymKind;
  P = SkipClass(P, ccDigit);
  return realNumber;
}

// From "0"-"9": integer, real or hexadecimal.
int32_t ReadNumber(const char*& P) {
  if (P[0] == '0' && Folded(P[1]) == 'x') {
    P += 2;
    if (!IsClass(static_cast<uint8_t>(*P), ccHex)) return NoSymKind;  // "0x" alone
    P = SkipClass(P, ccHex);
    return hexNumber;
  }
  P = SkipClass(P, ccDigit);
  // "1e5" is the integer 1 and the name e5: only a "." makes a real, and it needs a digit.
  if (*P != '.') return intNumber;
  ++P;
  return IsDigit(static_cast<uint8_t>(*P)) ? ReadFraction(P) : NoSymKind;
}

// From ".": a real without integer part, ".*" or the dot.
int32_t ReadDot(const char*& P) {
  ++P;
  if (IsDigit(static_cast<uint8_t>(*P))) return ReadFraction(P);
  if (*P != '*') return symDot;
  ++P;
  return symDotStar;
}

// From "<", ">" or "!".
int32_t ReadOperator(const char*& P) {
  const char First = *P++;
  const char Second = *P;
  int32_t Kind = NoSymKind;  // "!" alone
  if (First == '<')
    Kind = Second == '>' ? symNotEqual : (Second == '=' ? symLessEqual : symLess);
  else if (First == '>')
    Kind = Second == '=' ? symGreaterEqual : symGreater;
  else if (Second == '=')
    Kind = symBangEqual;
  else if (Second == '>')
    Kind = symNotGreater;
  else if (Second == '<')
    Kind = symNotLess;
  if (Kind != symLess && Kind != symGreater && Kind != NoSymKind) ++P;
  return Kind;
}

// From the opening Open: a delimited text up to its Close, re-opened by an Open right after
// the Close (doubled quotes, [a][b]). False when the text ends first. Line ends inside count.
bool ReadDelimited(TCursor& C, char Open, char Close) {
  const char* P = C.P;
  do {
    ++P;  // the opening delimiter
    for (;;) {
      while (*P != Close && !IsClass(static_cast<uint8_t>(*P), ccBreak)) ++P;
      if (*P == Close) break;
      if (P == C.End) {
        C.P = P;
        return false;
      }
      if (*P == 0) {
        ++P;  // a NUL inside quotes is an ordinary character
        continue;
      }
      C.P = P;
      PassLineEnd(C);
      P = C.P;
    }
    ++P;  // the closing delimiter
  } while (*P == Open);
  C.P = P;
  return true;
}

// At most one blank (tab, space or one line end).
void PassOneBlank(TCursor& C) {
  if (*C.P == ' ' || *C.P == '\t')
    ++C.P;
  else if (*C.P == '\r' || *C.P == '\n')
    PassLineEnd(C);
}

// From "{": "{" blank? (d | t | ts) blank? n? 'string' blank? "}".
int32_t ReadDateTime(TCursor& C) {
  ++C.P;
  PassOneBlank(C);
  if (Folded(*C.P) == 'd') {
    ++C.P;
  } else if (Folded(*C.P) == 't') {
    ++C.P;
    if (Folded(*C.P) == 's') ++C.P;
  } else {
    return NoSymKind;
  }
  PassOneBlank(C);
  if (Folded(*C.P) == 'n') ++C.P;
  if (*C.P != '\'' || !ReadDelimited(C, '\'', '\'')) return NoSymKind;
  PassOneBlank(C);
  if (*C.P != '}') return NoSymKind;
  ++C.P;
  return dateTimeLiteral;
}

// From "--": the remark up to the line end, which is left for the blank loop (or the end of
// the text: a remark may end a statement).
void Comment0(TCursor& C) {
  const char* P = C.P + 2;
  for (;;) {
    while (!IsClass(static_cast<uint8_t>(*P), ccBreak)) ++P;
    if (*P != 0 || P == C.End) break;
    ++P;  // a NUL inside the remark
  }
  C.P = P;
}

// Runs one of the readers above on a copy of the cursor, so the caller's cursor never has its
// address taken and can stay in registers.
template <typename TReader>
inline void RunOnCopy(TCursor& C, TReader Reader) {
  TCursor Copy = C;
  Reader(Copy);
  C = Copy;
}

// The same for the readers that only move a byte pointer.
template <typename TReader>
inline int32_t ReadOnCopy(const char*& P, TReader Reader) {
  const char* Copy = P;
  const int32_t Kind = Reader(Copy);
  P = Copy;
  return Kind;
}

// Reads one token from the cursor on into Token, skipping blanks and remarks before it. Forced
// inline: in ReadTokens' loop the cursor must stay a register-held local.
[[gnu::always_inline]] inline void ScanToken(TCursor& C, TvxTokenRecord& Token) {
  const char* Start;
  int32_t Kind = NoSymKind;
  for (;;) {
    C.P += *C.P == ' ';  // most tokens follow a single space or none: no dispatch for that space
    Start = C.P;
    const auto Ch = static_cast<uint8_t>(*Start);
    const TStartState State = ByteTraits[Ch].Start;
    if (State == ssIdent) {  // most tokens: a plain branch, cheaper to predict than the dispatch
      C.P = SkipClass(Start + 1, ccIdent);
      Kind = FindKeywordInPaddedIdent(Start, static_cast<size_t>(C.P - Start));
      break;
    }
    switch (State) {
      case ssBlank:
        ++C.P;
        continue;
      case ssLineEnd:
        RunOnCopy(C, PassLineEnd);
        continue;
      case ssMinus:
        if (Start[1] == '-') {
          RunOnCopy(C, Comment0);
          continue;
        }
        Kind = symMinus;
        ++C.P;
        break;
      case ssNumber:
        Kind = ReadOnCopy(C.P, ReadNumber);
        break;
      case ssDot:
        Kind = ReadOnCopy(C.P, ReadDot);
        break;
      case ssString:
        RunOnCopy(C, [&Kind](TCursor& Copy) { Kind = ReadDelimited(Copy, '\'', '\'') ? string : NoSymKind; });
        break;
      case ssQuotedIdent:
        RunOnCopy(C, [&Kind](TCursor& Copy) { Kind = ReadDelimited(Copy, '"', '"') ? quotedIdent : NoSymKind; });
        break;
      case ssBracket:
        RunOnCopy(C, [&Kind](TCursor& Copy) { Kind = ReadDelimited(Copy, '[', ']') ? quotedIdent : NoSymKind; });
        break;
      case ssBrace:
        RunOnCopy(C, [&Kind](TCursor& Copy) { Kind = ReadDateTime(Copy); });
        break;
      case ssParam:
        C.P = SkipClass(Start + 1, ccIdent);
        Kind = param;
        break;
      case ssOperator:
        Kind = ReadOnCopy(C.P, ReadOperator);
        break;
      case ssSingle:
        Kind = ByteTraits[Ch].SingleKind;
        ++C.P;
        break;
      case ssNul:
        if (Start == C.End) {
          Kind = EOFKind;  // the sentinel after the text
          break;
        }
        [[fallthrough]];
      case ssIllegal:
        ++C.P;
        break;
      case ssIdent:
      default:
        __builtin_unreachable();  // names are read above, and the table holds no other state
    }
    break;
  }
  Token.Kind = Kind;
  Token.Offset = static_cast<uint32_t>(Start - C.Begin);
  Token.Length = static_cast<uint32_t>(C.P - Start);
}

}  // namespace

const TvxScannerClass& SQL92Scanner::StaticClass() {
  static const TvxScannerClass Record{
      "SQL92Scanner", []() -> std::unique_ptr<TvxBaseScanner> { return std::make_unique<SQL92Scanner>(); }};
  return Record;
}

void SQL92Scanner::CheckLiteral(TvxTokenRecord& Token) const {
  const int32_t Kind = FindKeywordInPaddedIdent(FBuffer.GetData() + Token.Offset, Token.Length);
  Token.Kind = Kind != ident ? Kind : Token.Kind;
}

void SQL92Scanner::InitInternal() {
  FCursor = TCursor();
  FCursor.Begin = FCursor.P = FBuffer.GetData();
  FCursor.End = FCursor.Begin + FBuffer.GetLength();
  FCursor.Lines = &FLines;
}

TvxTokenRecord SQL92Scanner::NextToken() {
  TvxTokenRecord Token;
  ScanToken(FCursor, Token);
  return Token;
}

void SQL92Scanner::ReadTokens() {
  // The cursor is a local, so the loop keeps it in registers; the array has room for any text,
  // so each token is written to it once and unchecked.
  TCursor C = FCursor;
  TvxTokenRecord* Token = ReserveTokens(static_cast<size_t>(C.End - C.P) + 1);
  do ScanToken(C, *Token);
  while ((Token++)->Kind != EOFKind);
  CommitTokens(Token);
  FCursor = C;
}
