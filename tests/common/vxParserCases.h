// Reader of the parser case files (tests/data/parser/*.txt), shared by the parser tests and the
// fuzzer's seed splitter. A file is a list of cases:
//
//   <entry point> <text>       the text to parse (\n, \r, \t, \s (a blank) and \\ are escapes)
//     tree <dump>              expected Dump of the result
//     text <text>              expected one-line text (escapes as above)
//     error <message> at <line>:<col> "<token>"
//
// Lines starting with # and blank lines are ignored.
#pragma once

#include <string>
#include <vector>

namespace vxtest {

// The entry points by the names the case files use: select, object, expr, item, logical and
// criterion (a logical expression whose predicates may lack their left operand).
bool IsEntryPoint(const std::string& Kind);

struct TParserCase {
  std::string Location;  // "file:line", for failure messages
  std::string Kind;
  std::string Text;
  std::string Tree;
  std::string Written;
  std::string Error;
  bool HasTree = false, HasWritten = false, HasError = false;
};

// Reads the case file at Path; throws std::runtime_error, naming file and line, for a file that
// cannot be read, holds no case, or has a line of neither form.
std::vector<TParserCase> LoadParserCaseFile(const std::string& Path);
// The same for tests/data/parser/<Name>.
std::vector<TParserCase> LoadParserCases(const std::string& Name);

}  // namespace vxtest
