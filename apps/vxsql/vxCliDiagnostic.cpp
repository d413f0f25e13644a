#include "vxCliDiagnostic.h"

#include <algorithm>
#include <cstdio>

namespace {

bool IsContinuationByte(char C) { return (static_cast<unsigned char>(C) & 0xC0) == 0x80; }
bool IsBlank(char C) { return C == ' ' || C == '\t' || C == '\r' || C == '\n' || C == '\f' || C == '\v'; }
bool IsBlank(std::string_view Text) {
  return std::all_of(Text.begin(), Text.end(), [](char C) { return IsBlank(C); });
}

// Columns a terminal gives Text: one per UTF-8 sequence.
int DisplayWidth(std::string_view Text) {
  return static_cast<int>(std::count_if(Text.begin(), Text.end(), [](char C) { return !IsContinuationByte(C); }));
}

// Blanks as wide as Prefix, keeping its tabs so the next character lines up.
std::string Indentation(std::string_view Prefix) {
  std::string Result;
  for (char C : Prefix)
    if (C == '\t')
      Result += '\t';
    else if (!IsContinuationByte(C))
      Result += ' ';
  return Result;
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
  for (char C : FirstLine) {
    if (!IsContinuationByte(C) && ++Width > MaxWidth) {
      Truncated = true;
      break;
    }
    unsigned char Byte = static_cast<unsigned char>(C);
    if (Byte < 0x20 || Byte == 0x7F) {
      char Escaped[8];
      std::snprintf(Escaped, sizeof Escaped, "\\x%02X", Byte);
      Result += Escaped;
    } else {
      Result += C;
    }
  }
  if (Truncated) Result += "...";
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
      std::string(FileName) + ":" + std::to_string(Pos.Line) + ":" + std::to_string(Pos.Col) + ": " + FMessage;
  Result += AtEnd ? " at end of input\n" : " near '" + ShortTokenText(FTokenText) + "'\n";
  Result.append(Line);
  Result += '\n';

  std::string_view Rest = Line.substr(Pos.Col - 1);
  std::string_view Token = AtEnd ? std::string_view() : std::string_view(FTokenText);
  Token = Token.substr(0, std::min({Token.find_first_of("\r\n"), Rest.size()}));
  Result += Indentation(Line.substr(0, Pos.Col - 1));
  Result += '^';
  Result.append(static_cast<size_t>(std::max(DisplayWidth(Token) - 1, 0)), '~');
  Result += '\n';
  return Result;
}
