#include "vxParserCases.h"

#include "vxSqlCorpus.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace vxtest {

namespace {

std::string Unescape(const std::string& Text) {
  std::string Result;
  for (size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] != '\\' || I + 1 == Text.size()) {
      Result += Text[I];
      continue;
    }
    switch (const char Ch = Text[++I]) {
      case 'n':
        Result += '\n';
        break;
      case 'r':
        Result += '\r';
        break;
      case 't':
        Result += '\t';
        break;
      case 's':
        Result += ' ';  // a blank that must survive editors trimming lines
        break;
      default:
        Result += Ch;
        break;
    }
  }
  return Result;
}

}  // namespace

bool IsEntryPoint(const std::string& Kind) {
  for (const char* Name : {"select", "object", "expr", "item", "logical", "criterion"})
    if (Kind == Name) return true;
  return false;
}

std::vector<TParserCase> LoadParserCaseFile(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  if (!In) throw std::runtime_error(Path + ": cannot be read");
  const std::string Name = std::filesystem::path(Path).filename().string();
  std::vector<TParserCase> Cases;
  std::string Line;
  for (int Number = 1; std::getline(In, Line); ++Number) {
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    const size_t First = Line.find_first_not_of(' ');
    if (First == std::string::npos || Line[First] == '#') continue;
    const size_t Space = Line.find(' ', First);
    const std::string Word = Line.substr(First, Space == std::string::npos ? std::string::npos : Space - First);
    const std::string Rest = Space == std::string::npos ? std::string() : Line.substr(Space + 1);
    const std::string Where = Name + ":" + std::to_string(Number);
    if (First == 0) {
      if (!IsEntryPoint(Word)) throw std::runtime_error(Where + ": unknown entry point '" + Word + "'");
      TParserCase Case;
      Case.Location = Where;
      Case.Kind = Word;
      Case.Text = Unescape(Rest);
      Cases.push_back(std::move(Case));
      continue;
    }
    if (Cases.empty()) throw std::runtime_error(Where + ": an expectation before the first case");
    TParserCase& Case = Cases.back();
    if (Word == "tree") {
      Case.Tree = Rest;
      Case.HasTree = true;
    } else if (Word == "text") {
      Case.Written = Unescape(Rest);
      Case.HasWritten = true;
    } else if (Word == "error") {
      Case.Error = Rest;
      Case.HasError = true;
    } else {
      throw std::runtime_error(Where + ": unknown expectation '" + Word + "'");
    }
  }
  if (Cases.empty()) throw std::runtime_error(Path + ": no cases");
  return Cases;
}

std::vector<TParserCase> LoadParserCases(const std::string& Name) {
  return LoadParserCaseFile(GetTestDataDirectory() + "/parser/" + Name);
}

}  // namespace vxtest
