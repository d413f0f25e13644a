#include "ParserTestSupport.h"

#include "vxASTLogical.h"
#include "vxASTSelect.h"
#include "vxSQLBuilder.h"
#include "vxSqlCorpus.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vxtest {

namespace {

const char* const EntryPoints[] = {"select", "object", "expr", "item", "logical", "criterion"};

std::string Unescape(const std::string& Text) {
  std::string Result;
  for (size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] != '\\' || I + 1 == Text.size()) {
      Result += Text[I];
      continue;
    }
    switch (Text[++I]) {
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
        Result += ' ';
        break;  // a blank that must survive editors trimming lines
      default:
        Result += Text[I];
        break;
    }
  }
  return Result;
}

}  // namespace

bool IsEntryPoint(const std::string& Kind) {
  for (const char* Name : EntryPoints)
    if (Kind == Name) return true;
  return false;
}

std::unique_ptr<TastNode> ParseAs(TastSQL92SyntaxProvider& Provider, const std::string& Kind, const std::string& Text) {
  if (Kind == "select") return Provider.ParseSelect(Text);
  if (Kind == "object") return Provider.ParseObjectName(Text);
  if (Kind == "expr") return Provider.ParseExpression(Text);
  if (Kind == "item") return Provider.ParseSelectItem(Text);
  if (Kind == "logical") return Provider.ParseLogicalExpression(Text, true);
  if (Kind == "criterion") return Provider.ParseLogicalExpression(Text, false);
  throw std::runtime_error("unknown entry point " + Kind);
}

std::string Write(const TastNode& Node, bool MultiLine) {
  std::string Text;
  TSQLBuilderPlainText Builder(Text);
  Builder.ResetBuilder();
  Node.BuildSQL(Builder, MultiLine);
  return Text;
}

std::string Dump(const TastNode& Node) {
  std::string Name(Node.ClassName());
  if (Name.rfind("TSQL", 0) == 0) Name.erase(0, 4);
  TastChildren Children;
  Node.GetMyChildren(Children);
  if (Children.empty()) return Name;
  Name += '[';
  for (size_t I = 0; I < Children.size(); ++I) {
    if (I > 0) Name += ',';
    const auto* Child = dynamic_cast<const TastNode*>(Children[I]);
    Name += Child != nullptr ? Dump(*Child) : std::string(Children[I]->ClassName());
  }
  return Name + ']';
}

std::vector<TParserCase> LoadParserCases(const std::string& Name) {
  const std::string Path = GetTestDataDirectory() + "/parser/" + Name;
  std::ifstream In(Path, std::ios::binary);
  if (!In) throw std::runtime_error(Path + ": cannot be read");
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

std::string DescribeError(const std::string& Message, int Line, int Col, const std::string& Token) {
  return Message + " at " + std::to_string(Line) + ":" + std::to_string(Col) + " \"" + Token + "\"";
}

}  // namespace vxtest
