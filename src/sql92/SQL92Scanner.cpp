#include "SQL92Scanner.h"

#include "vxSyntaxProvider.h"

#include <array>
#include <memory>

using namespace sql92;

namespace {

// Start states, chosen by one look-up of the lower-cased current character.
enum TStartState : int8_t {
  ssIllegal,
  ssEnd,
  ssIdent,
  ssInteger,
  ssZero,
  ssDot,
  ssString,
  ssQuotedIdent,
  ssBracket,
  ssBrace,
  ssParam,
  ssOperator,
  ssSingle
};

constexpr std::array<int8_t, 257> MakeStartTable() {
  std::array<int8_t, 257> Table{};  // ssIllegal: controls, # $ & : ? \ ] ^ ` | } and 127..255
  Table[TvxBuffer::EndOfText] = ssEnd;
  Table['_'] = ssIdent;
  for (int C = 'a'; C <= 'z'; ++C) Table[C] = ssIdent;
  for (int C = '1'; C <= '9'; ++C) Table[C] = ssInteger;
  Table['0'] = ssZero;
  Table['.'] = ssDot;
  Table['\''] = ssString;
  Table['"'] = ssQuotedIdent;
  Table['['] = ssBracket;
  Table['{'] = ssBrace;
  Table['@'] = ssParam;
  Table['<'] = Table['>'] = Table['!'] = ssOperator;
  for (unsigned char C : std::string_view(";,()*=+-/%~")) Table[C] = ssSingle;
  return Table;
}
constexpr std::array<int8_t, 257> StartTable = MakeStartTable();

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
constexpr std::array<uint8_t, 256> SingleKinds = MakeSingleKinds();

// Character classes of raw bytes (both letter cases), for the loops that run over the text
// without the character reader. Only ASCII letters are letters: bytes from 128 on end a name.
enum TCharClass : uint8_t {
  ccIdent = 1,  // letters, digits and "_": the rest of an identifier or parameter
  ccDigit = 2,
  ccHex = 4,
  ccBreak = 8,  // CR, LF and NUL: where a run must hand over to the character reader
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
constexpr std::array<uint8_t, 256> CharClasses = MakeCharClasses();

inline bool IsClass(uint8_t C, uint8_t Class) { return (CharClasses[C] & Class) != 0; }
inline bool IsDigit(uint8_t C) { return IsClass(C, ccDigit); }
inline bool IsLetterE(uint8_t C) { return (C | 0x20) == 'e'; }

// The fraction and exponent of a real, from the first digit after the "."; P ends after the
// last character the token takes. An exponent needs at least one digit, after an optional sign.
int32_t ReadFraction(const uint8_t*& P) {
  while (IsDigit(*P)) ++P;
  if (!IsLetterE(*P)) return realNumber;
  ++P;
  if (*P == '+' || *P == '-') ++P;
  if (!IsDigit(*P)) return NoSymKind;
  while (IsDigit(*P)) ++P;
  return realNumber;
}

}  // namespace

const TvxScannerClass& SQL92Scanner::StaticClass() {
  static const TvxScannerClass Record{
      "SQL92Scanner", []() -> std::unique_ptr<TvxBaseScanner> { return std::make_unique<SQL92Scanner>(); }};
  return Record;
}

void SQL92Scanner::CheckLiteral(TvxToken& Token) const {
  const int32_t Kind = FindKeyword(Token.Val);
  if (Kind != ident) Token.Kind = Kind;
}

void SQL92Scanner::InitInternal() {
  for (int C = 1; C <= 32; ++C) FIgnore[static_cast<size_t>(C)] = true;
}

TvxToken SQL92Scanner::NextToken() {
  for (;;) {
    while (FIgnore[static_cast<size_t>(FCh)]) NextCh();
    if (FCh != '-' || !Comment0()) break;
  }

  TvxToken Token = StartToken();
  switch (StartTable[static_cast<size_t>(FCh)]) {
    case ssEnd:
      Token.Kind = EOFKind;  // Init gives the end token its text
      return Token;
    case ssIdent:
      SkipClass(ccIdent);
      Token.Kind = ident;
      EndToken(Token);
      SQL92Scanner::CheckLiteral(Token);
      return Token;
    case ssInteger:
    case ssZero:
      Token.Kind = ScanNumber();
      break;
    case ssDot:
      Token.Kind = ScanDot();
      break;
    case ssString:
      Token.Kind = ScanDelimited('\'', '\'') ? string : NoSymKind;
      break;
    case ssQuotedIdent:
      Token.Kind = ScanDelimited('"', '"') ? quotedIdent : NoSymKind;
      break;
    case ssBracket:
      Token.Kind = ScanDelimited('[', ']') ? quotedIdent : NoSymKind;
      break;
    case ssBrace:
      Token.Kind = ScanDateTime();
      break;
    case ssParam:
      NextCh();
      SkipClass(ccIdent);
      Token.Kind = param;
      break;
    case ssOperator:
      Token.Kind = ScanOperator();
      break;
    case ssSingle:
      Token.Kind = SingleKinds[static_cast<size_t>(FCh)];
      NextCh();
      break;
    default:
      Token.Kind = NoSymKind;
      NextCh();
      break;
  }
  EndToken(Token);
  return Token;
}

void SQL92Scanner::SkipClass(uint8_t Class) {
  const auto* Start = reinterpret_cast<const uint8_t*>(FBuffer.GetData()) + FChOffset;
  const uint8_t* P = Start;
  while (IsClass(*P, Class)) ++P;  // the 0 after the text is in no class
  if (P != Start) SkipPlain(static_cast<int32_t>(P - Start));
}

int32_t SQL92Scanner::ScanNumber() {
  const auto* Start = reinterpret_cast<const uint8_t*>(FBuffer.GetData()) + FChOffset;
  const uint8_t* P = Start;
  int32_t Kind = intNumber;
  if (P[0] == '0' && (P[1] | 0x20) == 'x') {
    P += 2;
    if (IsClass(*P, ccHex)) {
      while (IsClass(*P, ccHex)) ++P;
      Kind = hexNumber;
    } else {
      Kind = NoSymKind;
    }
  } else {
    while (IsDigit(*P)) ++P;
    // "1e5" is the integer 1 and the name e5: only a "." makes a real, and it needs a digit.
    if (*P == '.') {
      ++P;
      Kind = IsDigit(*P) ? ReadFraction(P) : NoSymKind;
    }
  }
  SkipPlain(static_cast<int32_t>(P - Start));
  return Kind;
}

int32_t SQL92Scanner::ScanDot() {
  const auto* Start = reinterpret_cast<const uint8_t*>(FBuffer.GetData()) + FChOffset;
  const uint8_t* P = Start + 1;
  int32_t Kind = symDot;
  if (IsDigit(*P)) {
    Kind = ReadFraction(P);
  } else if (*P == '*') {
    ++P;
    Kind = symDotStar;
  }
  SkipPlain(static_cast<int32_t>(P - Start));
  return Kind;
}

int32_t SQL92Scanner::ScanOperator() {
  const uint8_t First = FValCh;
  NextCh();
  int32_t Kind = NoSymKind;  // "!" alone
  switch (First) {
    case '<':
      Kind = FCh == '>' ? symNotEqual : (FCh == '=' ? symLessEqual : symLess);
      break;
    case '>':
      Kind = FCh == '=' ? symGreaterEqual : symGreater;
      break;
    default:
      Kind = FCh == '=' ? symBangEqual : (FCh == '>' ? symNotGreater : (FCh == '<' ? symNotLess : NoSymKind));
      break;
  }
  if (Kind != symLess && Kind != symGreater && Kind != NoSymKind) NextCh();
  return Kind;
}

bool SQL92Scanner::ScanDelimited(uint8_t Open, uint8_t Close) {
  do {
    NextCh();  // the opening delimiter
    for (;;) {
      if (FCh == TvxBuffer::EndOfText) return false;
      if (FValCh == Close) break;
      // Long literals go by in runs; only line ends and NUL need the character reader.
      const auto* Start = reinterpret_cast<const uint8_t*>(FBuffer.GetData()) + FChOffset;
      const uint8_t* P = Start;
      while (*P != Close && !IsClass(*P, ccBreak)) ++P;
      if (P != Start)
        SkipPlain(static_cast<int32_t>(P - Start));
      else
        NextCh();
    }
    NextCh();                // the closing delimiter
  } while (FValCh == Open);  // 0 at the end of the text, which no delimiter is
  return true;
}

void SQL92Scanner::SkipOneBlank() {
  if (FCh == ' ' || FCh == '\t' || FCh == '\r' || FCh == '\n') NextCh();
}

int32_t SQL92Scanner::ScanDateTime() {
  NextCh();  // "{"
  SkipOneBlank();
  if (FCh == 'd') {
    NextCh();
  } else if (FCh == 't') {
    NextCh();
    if (FCh == 's') NextCh();
  } else {
    return NoSymKind;
  }
  SkipOneBlank();
  if (FCh == 'n') NextCh();
  if (FCh != '\'' || !ScanDelimited('\'', '\'')) return NoSymKind;
  SkipOneBlank();
  if (FCh != '}') return NoSymKind;
  NextCh();
  return dateTimeLiteral;
}

bool SQL92Scanner::Comment0() {
  const TvxReaderState Saved = SaveReader();
  NextCh();
  if (FCh != '-') {
    RestoreReader(Saved);
    return false;
  }
  NextCh();
  while (FCh != '\r' && FCh != '\n' && FCh != TvxBuffer::EndOfText) {
    const auto* Start = reinterpret_cast<const uint8_t*>(FBuffer.GetData()) + FChOffset;
    const uint8_t* P = Start;
    while (!IsClass(*P, ccBreak)) ++P;
    if (P != Start)
      SkipPlain(static_cast<int32_t>(P - Start));
    else
      NextCh();  // a NUL inside the remark
  }
  // At the end of the text the caller produces the end token: a remark may end a statement.
  if (FCh == TvxBuffer::EndOfText) return false;
  FOldEols = FLine - Saved.Line;
  NextCh();
  return true;
}
