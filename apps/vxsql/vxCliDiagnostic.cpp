#include "vxCliDiagnostic.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

bool IsContinuationByte(char C) { return (static_cast<unsigned char>(C) & 0xC0) == 0x80; }
bool IsBlank(char C) { return C == ' ' || C == '\t' || C == '\r' || C == '\n' || C == '\f' || C == '\v'; }
bool IsBlank(std::string_view Text) {
  return std::all_of(Text.begin(), Text.end(), [](char C) { return IsBlank(C); });
}

std::string HexEscape(unsigned char Byte) {
  char Escaped[8];
  std::snprintf(Escaped, sizeof Escaped, "\\x%02X", Byte);
  return Escaped;
}

// One character of a source line as a terminal is to show it: the bytes of a UTF-8 sequence,
// or a visible escape for what a terminal would act on or cannot show.
struct TvxUnit {
  size_t Bytes;       // of the source it stands for
  std::string Shown;  // what is written for it
  bool Tab;           // a tab, kept so that the caret line can line up under it
};

// The character of Text at Pos. Control characters (C0 but the tab, DEL, and the C1 controls
// such as CSI, U+009B), the characters that reorder text (U+202A..U+202E, U+2066..U+2069) and
// bytes that begin no valid UTF-8 sequence are shown as escapes: \xNN per byte, \uNNNN for a
// character.
TvxUnit NextUnit(std::string_view Text, size_t Pos) {
  const unsigned char Lead = static_cast<unsigned char>(Text[Pos]);
  if (Lead == '\t') return {1, "\t", true};
  if (Lead < 0x20 || Lead == 0x7F) return {1, HexEscape(Lead), false};
  if (Lead < 0x80) return {1, std::string(1, char(Lead)), false};
  const size_t Length = Lead >= 0xF0 && Lead <= 0xF4 ? 4 : Lead >= 0xE0 ? 3 : Lead >= 0xC2 && Lead <= 0xDF ? 2 : 0;
  bool Valid = Length > 0 && Pos + Length <= Text.size();
  for (size_t I = 1; Valid && I < Length; ++I) Valid = IsContinuationByte(Text[Pos + I]);
  if (!Valid) return {1, HexEscape(Lead), false};
  uint32_t Code = Lead & (0x7F >> Length);
  for (size_t I = 1; I < Length; ++I) Code = (Code << 6) | (static_cast<unsigned char>(Text[Pos + I]) & 0x3F);
  const bool Overlong = (Length == 3 && Code < 0x800) || (Length == 4 && (Code < 0x10000 || Code > 0x10FFFF));
  if (Overlong || (Code >= 0xD800 && Code <= 0xDFFF)) return {1, HexEscape(Lead), false};
  if ((Code >= 0x80 && Code <= 0x9F) || (Code >= 0x202A && Code <= 0x202E) || (Code >= 0x2066 && Code <= 0x2069)) {
    char Escaped[12];
    std::snprintf(Escaped, sizeof Escaped, "\\u%04X", static_cast<unsigned>(Code));
    return {Length, Escaped, false};
  }
  return {Length, std::string(Text.substr(Pos, Length)), false};
}

// Columns a terminal gives a unit: one per character, the escape's length for an escape.
int UnitWidth(const TvxUnit& Unit) {
  if (Unit.Tab) return 1;
  return static_cast<int>(
      std::count_if(Unit.Shown.begin(), Unit.Shown.end(), [](char C) { return !IsContinuationByte(C); }));
}

struct TvxPosition {
  int Line;  // 1-based
  int Col;   // 1-based, in bytes
};

// The position just after the last character that is not white space; 1:1 for a blank text.
TvxPosition EndOfWrittenText(const std::vector<std::string_view>& Lines) {
  for (size_t Index = Lines.size(); Index-- > 0;) {
    std::string_view Line = Lines[Index];
    auto Last = std::find_if(Line.rbegin(), Line.rend(), [](char C) { return !IsBlank(C); });
    if (Last != Line.rend()) return {static_cast<int>(Index) + 1, static_cast<int>(Line.rend() - Last) + 1};
  }
  return {1, 1};
}

}  // namespace

std::vector<std::string_view> SplitSourceLines(std::string_view Text) {
  std::vector<std::string_view> Lines;
  size_t Start = 0;
  size_t Index = 0;
  while (Index < Text.size()) {
    char C = Text[Index];
    if (C != '\r' && C != '\n') {
      ++Index;
      continue;
    }
    Lines.push_back(Text.substr(Start, Index - Start));
    // The scanner reads an LF before a CR as an ordinary character and ends the line at the CR,
    // and takes CR LF as one line end; so "\n\r\n" is one line end too.
    if (C == '\n' && Index + 1 < Text.size() && Text[Index + 1] == '\r') ++Index;
    if (Text[Index] == '\r' && Index + 1 < Text.size() && Text[Index + 1] == '\n') ++Index;
    Start = ++Index;
  }
  Lines.push_back(Text.substr(Start));
  return Lines;
}

std::string ShortTokenText(std::string_view Token) {
  constexpr int MaxWidth = 40;
  std::string_view FirstLine = Token.substr(0, Token.find_first_of("\r\n"));
  std::string Result;
  bool Truncated = FirstLine.size() < Token.size();
  int Width = 0;
  for (size_t Pos = 0; Pos < FirstLine.size();) {
    TvxUnit Unit = NextUnit(FirstLine, Pos);
    if (++Width > MaxWidth) {
      Truncated = true;
      break;
    }
    Result += Unit.Tab ? std::string("\\x09") : Unit.Shown;
    Pos += Unit.Bytes;
  }
  if (Truncated) Result += "...";
  return Result;
}

std::string VisibleText(std::string_view Text) {
  std::string Result;
  Result.reserve(Text.size());
  for (size_t Pos = 0; Pos < Text.size();) {
    TvxUnit Unit = NextUnit(Text, Pos);
    Result += Unit.Shown;
    Pos += Unit.Bytes;
  }
  return Result;
}

std::string TvxSourceDiagnostic::Render(std::string_view FileName, std::string_view Text) const {
  std::vector<std::string_view> Lines = SplitSourceLines(Text);
  TvxPosition Pos{std::clamp(FLine, 1, static_cast<int>(Lines.size())), 1};
  Pos.Col = std::clamp(FCol, 1, static_cast<int>(Lines[Pos.Line - 1].size()) + 1);

  bool AtEnd = IsBlank(Lines[Pos.Line - 1].substr(Pos.Col - 1));
  for (size_t Index = Pos.Line; AtEnd && Index < Lines.size(); ++Index) AtEnd = IsBlank(Lines[Index]);
  if (AtEnd) Pos = EndOfWrittenText(Lines);

  std::string_view Line = Lines[Pos.Line - 1];
  std::string Result =
      VisibleText(FileName) + ":" + std::to_string(Pos.Line) + ":" + std::to_string(Pos.Col) + ": " + FMessage;
  Result += AtEnd ? " at end of input\n" : " near '" + ShortTokenText(FTokenText) + "'\n";

  // The echo: the characters around the caret, as many as EchoWidth columns hold, shown
  // visibly (see NextUnit); "..." marks where the line goes on. Only the window is read, so a
  // line of any length costs the same.
  constexpr int EchoWidth = 120;
  const size_t Caret = static_cast<size_t>(Pos.Col - 1);
  std::vector<TvxUnit> Before, After;
  {
    // At most four bytes a character: the window's characters before the caret start no
    // further back than this; the first whole sequence after it starts the walk.
    size_t Start = Caret > size_t(4 * EchoWidth) ? Caret - size_t(4 * EchoWidth) : 0;
    while (Start < Caret && Start > 0 && IsContinuationByte(Line[Start])) ++Start;
    for (size_t At = Start; At < Caret;) {
      Before.push_back(NextUnit(Line, At));
      At += Before.back().Bytes;
    }
    int Width = 0;
    for (size_t At = Caret; At < Line.size() && Width < EchoWidth;) {
      After.push_back(NextUnit(Line, At));
      Width += UnitWidth(After.back());
      At += After.back().Bytes;
    }
  }
  // Up to half the width goes to what follows the caret, more when less precedes it.
  int BeforeWidth = 0;
  for (const TvxUnit& Unit : Before) BeforeWidth += UnitWidth(Unit);
  int AfterBudget = std::max(EchoWidth / 2, EchoWidth - BeforeWidth);
  size_t AfterCount = 0;
  for (int Width = 0; AfterCount < After.size(); ++AfterCount) {
    Width += UnitWidth(After[AfterCount]);
    if (Width > AfterBudget) break;
  }
  int AfterWidth = 0;
  for (size_t I = 0; I < AfterCount; ++I) AfterWidth += UnitWidth(After[I]);
  size_t FirstBefore = Before.size();
  for (int Width = 0; FirstBefore > 0; --FirstBefore) {
    Width += UnitWidth(Before[FirstBefore - 1]);
    if (Width > EchoWidth - AfterWidth) break;
  }
  size_t WindowStart = Caret, WindowEnd = Caret;
  for (size_t I = FirstBefore; I < Before.size(); ++I) WindowStart -= Before[I].Bytes;
  for (size_t I = 0; I < AfterCount; ++I) WindowEnd += After[I].Bytes;
  const bool CutLeft = WindowStart > 0, CutRight = WindowEnd < Line.size();

  std::string Indent = CutLeft ? "   " : "";
  if (CutLeft) Result += "...";
  for (size_t I = FirstBefore; I < Before.size(); ++I) {
    Result += Before[I].Shown;
    Indent += Before[I].Tab ? std::string("\t") : std::string(static_cast<size_t>(UnitWidth(Before[I])), ' ');
  }
  for (size_t I = 0; I < AfterCount; ++I) Result += After[I].Shown;
  if (CutRight) Result += "...";
  Result += '\n';

  // The caret under the token's first character, the underline to the token's end within
  // the window.
  std::string_view Token = AtEnd ? std::string_view() : std::string_view(FTokenText);
  Token = Token.substr(0, std::min(Token.find_first_of("\r\n"), Line.size() - Caret));
  int TokenWidth = 0;
  for (size_t I = 0, Bytes = 0; I < AfterCount && Bytes < Token.size(); ++I) {
    TokenWidth += UnitWidth(After[I]);
    Bytes += After[I].Bytes;
  }
  Result += Indent;
  Result += '^';
  Result.append(static_cast<size_t>(std::max(TokenWidth - 1, 0)), '~');
  Result += '\n';
  return Result;
}
