// The text form of a layout: writing it, and reading it back with errors that name the line.
#include "vxCommon.h"
#include "vxQueryLayout.h"

#include <charconv>
#include <cstdint>
#include <optional>

namespace {

constexpr std::string_view GHeader = "vxqb-layout";
constexpr int GVersion = 1;
// Far beyond any diagram, and small enough that a rectangle's right and bottom edges stay ints.
constexpr int GCoordinateLimit = 1000000;

void AppendQuoted(std::string& Out, const std::string& Text) {
  static constexpr char Hex[] = "0123456789ABCDEF";
  Out += '"';
  for (const char Char : Text) {
    const auto Byte = static_cast<unsigned char>(Char);
    switch (Char) {
      case '"':
        Out += "\\\"";
        break;
      case '\\':
        Out += "\\\\";
        break;
      case '\n':
        Out += "\\n";
        break;
      case '\r':
        Out += "\\r";
        break;
      case '\t':
        Out += "\\t";
        break;
      default:
        if (Byte < 0x20 || Byte == 0x7F) {
          Out += "\\x";
          Out += Hex[Byte >> 4];
          Out += Hex[Byte & 0xF];
        } else {
          Out += Char;
        }
    }
  }
  Out += '"';
}

struct TToken {
  std::string Text;
  bool Quoted = false;
};

int HexValue(char Char) {
  if (Char >= '0' && Char <= '9') return Char - '0';
  if (Char >= 'a' && Char <= 'f') return Char - 'a' + 10;
  if (Char >= 'A' && Char <= 'F') return Char - 'A' + 10;
  return -1;
}

// Reads the lines one by one; every error it raises names the line it stands on.
class TLayoutReader {
public:
  explicit TLayoutReader(const std::string& Text) : FText(Text) {}

  TvxQueryLayout Read() {
    bool HeaderSeen = false;
    while (NextLine()) {
      if (FTokens.empty()) continue;
      if (!HeaderSeen) {
        ReadHeader();
        HeaderSeen = true;
      } else {
        ReadEntry();
      }
    }
    if (!HeaderSeen) Fail("the text is no layout (a layout starts with \"vxqb-layout 1\")");
    CheckActiveIndexes();
    return std::move(FLayout);
  }

private:
  [[noreturn]] void Fail(const std::string& Message, int Line = 0) const {
    throw EvxException("Bad layout at line " + std::to_string(Line > 0 ? Line : FLine) + ": " + Message);
  }

  // Splits the next line into tokens; false at the end of the text. Comment lines give none.
  bool NextLine() {
    if (FPos > FText.size() || (FPos == FText.size() && FLine > 0)) return false;
    size_t End = FText.find('\n', FPos);
    if (End == std::string::npos) End = FText.size();
    std::string_view Line(FText.data() + FPos, End - FPos);
    if (!Line.empty() && Line.back() == '\r') Line.remove_suffix(1);
    FPos = End + 1;
    ++FLine;
    FTokens.clear();
    if (!Line.empty() && Line.front() == '#') return true;
    size_t At = 0;
    while (true) {
      while (At < Line.size() && (Line[At] == ' ' || Line[At] == '\t')) ++At;
      if (At == Line.size()) return true;
      FTokens.push_back(Line[At] == '"' ? ReadQuoted(Line, At) : ReadBare(Line, At));
    }
  }

  static TToken ReadBare(std::string_view Line, size_t& At) {
    const size_t Start = At;
    while (At < Line.size() && Line[At] != ' ' && Line[At] != '\t') ++At;
    return {std::string(Line.substr(Start, At - Start)), false};
  }

  TToken ReadQuoted(std::string_view Line, size_t& At) const {
    TToken Token{std::string(), true};
    ++At;
    while (true) {
      if (At >= Line.size()) Fail("a quoted name has no closing quote");
      const char Char = Line[At++];
      if (Char == '"') break;
      if (Char != '\\') {
        Token.Text += Char;
        continue;
      }
      if (At >= Line.size()) Fail("a quoted name has no closing quote");
      const char Escaped = Line[At++];
      switch (Escaped) {
        case '"':
        case '\\':
          Token.Text += Escaped;
          break;
        case 'n':
          Token.Text += '\n';
          break;
        case 'r':
          Token.Text += '\r';
          break;
        case 't':
          Token.Text += '\t';
          break;
        case 'x': {
          const int High = At < Line.size() ? HexValue(Line[At]) : -1;
          const int Low = At + 1 < Line.size() ? HexValue(Line[At + 1]) : -1;
          if (High < 0 || Low < 0) Fail("\\x must be followed by two hexadecimal digits");
          Token.Text += static_cast<char>(High * 16 + Low);
          At += 2;
          break;
        }
        default:
          Fail(std::string("unknown escape \\") + Escaped);
      }
    }
    if (At < Line.size() && Line[At] != ' ' && Line[At] != '\t') Fail("a space must follow a closing quote");
    return Token;
  }

  void ExpectValues(size_t Count) const {
    if (FTokens.size() - 1 != Count)
      Fail("\"" + FTokens[0].Text + "\" takes " + std::to_string(Count) + (Count == 1 ? " value" : " values") +
           ", not " + std::to_string(FTokens.size() - 1));
  }

  const std::string& Quoted(size_t Index, const char* What) const {
    if (!FTokens[Index].Quoted) Fail(std::string("the ") + What + " must be in double quotes");
    return FTokens[Index].Text;
  }

  int Number(size_t Index, const char* What, int Min) const {
    const TToken& Token = FTokens[Index];
    int Value = 0;
    const char* Begin = Token.Text.data();
    const char* End = Begin + Token.Text.size();
    const auto [Stop, Error] = std::from_chars(Begin, End, Value);
    if (Token.Quoted || Token.Text.empty() || Error != std::errc() || Stop != End)
      Fail(std::string("the ") + What + " must be a whole number, not \"" + Token.Text + "\"");
    if (Value < Min || Value > GCoordinateLimit)
      Fail(std::string("the ") + What + " " + Token.Text + " is out of range (" + std::to_string(Min) + " to " +
           std::to_string(GCoordinateLimit) + ")");
    return Value;
  }

  void ReadHeader() {
    if (FTokens[0].Quoted || FTokens[0].Text != GHeader)
      Fail("the text is no layout (a layout starts with \"vxqb-layout 1\")");
    ExpectValues(1);
    const int Version = Number(1, "version", 0);
    if (Version != GVersion)
      Fail("layout version " + std::to_string(Version) + " is not supported (this library reads version " +
           std::to_string(GVersion) + ")");
  }

  void ReadEntry() {
    const std::string Keyword = FTokens[0].Quoted ? std::string() : FTokens[0].Text;
    if (Keyword == "painter") {
      ExpectValues(1);
      if (FLayout.HasPainter) Fail("a second painter entry");
      FLayout.Painter = Quoted(1, "painter's class name");
      FLayout.HasPainter = true;
    } else if (Keyword == "tab") {
      ExpectValues(1);
      if (FTabLine > 0) Fail("a second tab entry");
      FLayout.ActiveSubQuery = Number(1, "tab", 0);
      FTabLine = FLine;
    } else if (Keyword == "subquery") {
      ExpectValues(2);
      TvxSubQueryLayout& SubQuery = FLayout.SubQueries.emplace_back();
      SubQuery.Key = Quoted(1, "sub-query's key");
      SubQuery.ActiveOperand = Number(2, "shown operand", 0);
      FSubQueryLines.push_back(FLine);
    } else if (Keyword == "operand") {
      ExpectValues(0);
      if (FLayout.SubQueries.empty()) Fail("an operand before any subquery entry");
      FLayout.SubQueries.back().Operands.emplace_back();
    } else if (Keyword == "box") {
      ExpectValues(6);
      if (FLayout.SubQueries.empty() || FLayout.SubQueries.back().Operands.empty())
        Fail("a box before any operand entry");
      TvxBoxLayout Box;
      Box.Alias = Quoted(1, "alias");
      Box.Name = Quoted(2, "name");
      Box.Bounds = QRect(Number(3, "left", -GCoordinateLimit), Number(4, "top", -GCoordinateLimit),
                         Number(5, "width", 0), Number(6, "height", 0));
      FLayout.SubQueries.back().Operands.back().Boxes.push_back(std::move(Box));
    } else {
      Fail("unknown entry \"" + FTokens[0].Text + "\"");
    }
  }

  void CheckActiveIndexes() const {
    const auto SubQueryCount = static_cast<int>(FLayout.SubQueries.size());
    if (FTabLine > 0 && FLayout.ActiveSubQuery >= SubQueryCount)
      Fail("tab " + std::to_string(FLayout.ActiveSubQuery) + " names no sub-query of the layout", FTabLine);
    for (size_t Index = 0; Index < FLayout.SubQueries.size(); ++Index) {
      const TvxSubQueryLayout& SubQuery = FLayout.SubQueries[Index];
      if (SubQuery.ActiveOperand >= std::max<int>(1, static_cast<int>(SubQuery.Operands.size())))
        Fail("the shown operand " + std::to_string(SubQuery.ActiveOperand) + " is not one of the sub-query's",
             FSubQueryLines[Index]);
    }
  }

  const std::string& FText;
  size_t FPos = 0;
  int FLine = 0;
  std::vector<TToken> FTokens;
  TvxQueryLayout FLayout;
  int FTabLine = 0;
  std::vector<int> FSubQueryLines;
};

}  // namespace

TvxQueryLayout TvxQueryLayout::Parse(const std::string& Text) { return TLayoutReader(Text).Read(); }

std::string TvxQueryLayout::ToText() const {
  std::string Out;
  Out += GHeader;
  Out += ' ' + std::to_string(GVersion) + '\n';
  if (HasPainter) {
    Out += "painter ";
    AppendQuoted(Out, Painter);
    Out += '\n';
  }
  Out += "tab " + std::to_string(ActiveSubQuery) + '\n';
  for (const TvxSubQueryLayout& SubQuery : SubQueries) {
    Out += "subquery ";
    AppendQuoted(Out, SubQuery.Key);
    Out += ' ' + std::to_string(SubQuery.ActiveOperand) + '\n';
    for (const TvxOperandLayout& Operand : SubQuery.Operands) {
      Out += "operand\n";
      for (const TvxBoxLayout& Box : Operand.Boxes) {
        Out += "box ";
        AppendQuoted(Out, Box.Alias);
        Out += ' ';
        AppendQuoted(Out, Box.Name);
        const QRect& R = Box.Bounds;
        Out += ' ' + std::to_string(R.x()) + ' ' + std::to_string(R.y()) + ' ' + std::to_string(R.width()) + ' ' +
               std::to_string(R.height()) + '\n';
      }
    }
  }
  return Out;
}

std::string vx::LayoutKeyOf(const std::string& SQL) {
  // FNV-1a: a fingerprint to tell sub-queries apart, not a guard against anyone.
  std::uint64_t Hash = 14695981039346656037ULL;
  for (const char Char : SQL) {
    Hash ^= static_cast<unsigned char>(Char);
    Hash *= 1099511628211ULL;
  }
  static constexpr char Hex[] = "0123456789abcdef";
  std::string Key(16, '0');
  for (int Digit = 15; Digit >= 0; --Digit, Hash >>= 4) Key[static_cast<size_t>(Digit)] = Hex[Hash & 0xF];
  return Key;
}
