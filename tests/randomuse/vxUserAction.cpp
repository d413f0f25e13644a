#include "vxUserAction.h"

#include <cctype>
#include <cstdio>

namespace vxrandom {
namespace {

std::string Quoted(const std::string& Text) {
  std::string Result = "\"";
  for (unsigned char C : Text) {
    switch (C) {
      case '"':
        Result += "\\\"";
        break;
      case '\\':
        Result += "\\\\";
        break;
      case '\n':
        Result += "\\n";
        break;
      case '\r':
        Result += "\\r";
        break;
      case '\t':
        Result += "\\t";
        break;
      default:
        if (C < 0x20 || C >= 0x7F) {
          // Octal escapes end after three digits, unlike hex escapes, which would swallow a
          // following hex letter of the text.
          char Escape[8];
          std::snprintf(Escape, sizeof Escape, "\\%03o", C);
          Result += Escape;
        } else {
          Result += static_cast<char>(C);
        }
    }
  }
  return Result + "\"";
}

// A cursor over one printed action.
class TReader {
public:
  explicit TReader(const std::string& Text) : FText(Text) {}

  bool Expect(char C) {
    SkipBlanks();
    if (FPos >= FText.size() || FText[FPos] != C) return false;
    ++FPos;
    return true;
  }
  bool Peek(char C) {
    SkipBlanks();
    return FPos < FText.size() && FText[FPos] == C;
  }
  bool ReadString(std::string& Value) {
    if (!Expect('"')) return false;
    Value.clear();
    while (FPos < FText.size() && FText[FPos] != '"') {
      char C = FText[FPos++];
      if (C != '\\') {
        Value += C;
        continue;
      }
      if (FPos >= FText.size()) return false;
      C = FText[FPos++];
      if (C >= '0' && C <= '7') {
        int Code = C - '0';
        for (int Digit = 0; Digit < 2 && FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '7'; ++Digit)
          Code = Code * 8 + (FText[FPos++] - '0');
        Value += static_cast<char>(Code);
      } else {
        Value += C == 'n' ? '\n' : C == 'r' ? '\r' : C == 't' ? '\t' : C;
      }
    }
    return Expect('"');
  }
  bool ReadNumber(int& Value) {
    SkipBlanks();
    size_t End = FPos;
    if (End < FText.size() && FText[End] == '-') ++End;
    while (End < FText.size() && std::isdigit(static_cast<unsigned char>(FText[End]))) ++End;
    if (End == FPos) return false;
    Value = std::stoi(FText.substr(FPos, End - FPos));
    FPos = End;
    return true;
  }

private:
  void SkipBlanks() {
    while (FPos < FText.size() && std::isspace(static_cast<unsigned char>(FText[FPos]))) ++FPos;
  }
  const std::string& FText;
  size_t FPos = 0;
};

}  // namespace

std::string TvxUserAction::ToString() const {
  std::string Result = "{" + Quoted(Kind) + ", {";
  for (size_t I = 0; I < Numbers.size(); ++I) Result += (I > 0 ? ", " : "") + std::to_string(Numbers[I]);
  return Result + "}, " + Quoted(Text) + "}";
}

bool ParseUserAction(const std::string& Line, TvxUserAction& Action) {
  TReader Reader(Line);
  TvxUserAction Result;
  if (!Reader.Expect('{') || !Reader.ReadString(Result.Kind) || !Reader.Expect(',') || !Reader.Expect('{'))
    return false;
  while (!Reader.Peek('}')) {
    int Number = 0;
    if (!Reader.ReadNumber(Number)) return false;
    Result.Numbers.push_back(Number);
    if (!Reader.Peek('}') && !Reader.Expect(',')) return false;
  }
  if (!Reader.Expect('}') || !Reader.Expect(',') || !Reader.ReadString(Result.Text) || !Reader.Expect('}'))
    return false;
  Action = std::move(Result);
  return true;
}

std::string ToString(const TvxUserActions& Actions) {
  std::string Result;
  for (const TvxUserAction& Action : Actions) Result += "    " + Action.ToString() + ",\n";
  return Result;
}

}  // namespace vxrandom
